#pragma once
#include <string>
#include <vector>

namespace skyvault {

// One stored setting replaced for this run only.
struct SettingOverride {
  std::string section;
  std::string key;
  std::string value;
  bool operator==(const SettingOverride&) const = default;
};

struct SettingOptions {
  std::vector<SettingOverride> overrides;  // in command-line order
  bool help = false;                       // --help, -help or -h
};

// The settings options of a command line (everything after the program's
// name), as the xscreensaver settings window writes them: "-name" and
// "--name" alike, a value as the next argument or after "=" ("--speed 9",
// "--speed=9"). Each option sets one stored key; a value is taken as it is
// (the display mends what it cannot use). Options it does not know, and
// their values, are left for the window options' parser; an option that
// lacks its value at the end of the line is ignored.
SettingOptions ParseSettingOptions(const std::vector<std::string>& args);

// The settings part of the usage text.
std::string SettingOptionsUsage();

}  // namespace skyvault
