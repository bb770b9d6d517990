#pragma once
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace skyvault {

// What an option of the saver program's command line does.
enum class OptionRole {
  kWindow,    // chooses where the saver draws
  kSetting,   // replaces one stored setting for this run
  kAccepted,  // taken because xscreensaver passes it to its hacks; changes nothing
  kViewing,   // shows how the saver works, for this run; no setting
  kHelp,      // prints the usage and ends
};

// One option of the program. The usage text comes from these rows, and the
// man page and the settings window's description are tested against them.
struct CommandLineOption {
  std::string_view name;      // without its leading dashes
  std::string_view argument;  // how the usage names its value; empty: a switch
  OptionRole role;
  std::string_view section;      // the setting it replaces (kSetting)
  std::string_view key;          //
  std::string_view switchValue;  // the value a switch stores
  // The range a number is offered in; empty when `low == high`. A value
  // outside it is still passed on as it is (the display mends what it
  // cannot use), except on a scale.
  int low = 0;
  int high = 0;
  // A scale: its steps `low`, `low + 1`, ... store these values of the
  // setting; a value that is not one of the steps is ignored.
  std::span<const std::string_view> scale;
  std::string_view help;  // empty: another spelling of the row before, not listed
};

// Every option the program takes, in the order the usage lists them.
std::span<const CommandLineOption> CommandLineOptions();

// How the usage and the man page name an option's value: "LOW..HIGH" for a
// number with a range, else the row's own words.
std::string ArgumentText(const CommandLineOption& option);

// An option found on a command line, with its value when it takes one.
struct GivenOption {
  const CommandLineOption* option;
  std::string value;
};

// Reads a command line (everything after the program's name) against the
// table, as xscreensaver and its settings window write one: "-name" and
// "--name" alike, a value as the next argument or after "=" ("--speed 9",
// "--speed=9"). The next argument is an option's value even when it starts
// with a dash. Words that are no known option are passed over, as are a
// switch written with "=" and an option that lacks its value at the end.
std::vector<GivenOption> ReadCommandLine(const std::vector<std::string>& args);

// The stored value that a setting option's value stands for: the value
// itself, or a scale's step; nothing for a value off the scale.
std::optional<std::string> StoredValue(const CommandLineOption& option, std::string_view value);

// One line of the usage text, "  --name ARG   help", the help in a column
// of its own and wrapped before the 80th column.
std::string UsageLine(std::string left, std::string_view help);

// The options part of the usage text, one group per role.
std::string CommandLineUsage();

}  // namespace skyvault
