#include "settings/command_line_overrides.h"

#include <array>
#include <string_view>

#include "settings/settings_schema.h"

namespace skyvault {
namespace {

struct SettingOption {
  const char* name;      // without its leading dashes
  const char* argument;  // how the usage names the value; nullptr: a switch
  const char* section;
  const char* key;
  const char* switchValue;  // the value a switch stores
  const char* help;
};

constexpr std::array<SettingOption, 17> kOptions = {{
    {"background", "1|2|3", kStartup, keys::BackGround, nullptr,
     "1 black, 2 sky blue, 3 a picture: the bridge or --picture"},
    {"picture", "FILE", kStartup, keys::BMPFileName, nullptr,
     "background picture (BMP, GIF, JPEG or PNG)"},
    {"logo", nullptr, kStartup, keys::LogoChecked, "1", "show the logo"},
    {"no-logo", nullptr, kStartup, keys::LogoChecked, "0", "hide the logo"},
    {"logo-file", "FILE", kStartup, keys::LogoFileName, nullptr, "logo picture"},
    {"clock", nullptr, kStartup, keys::Clock, "1", "show the clock"},
    {"no-clock", nullptr, kStartup, keys::Clock, "0", "hide the clock"},
    {"clock-size", "POINTS", kStartup, keys::FontClock, nullptr, "size of the clock's digits"},
    {"message", nullptr, kStartup, keys::MessageChecked, "1", "show the message line"},
    {"no-message", nullptr, kStartup, keys::MessageChecked, "0", "hide the message line"},
    {"message-text", "TEXT", kStartup, keys::Message, nullptr, "the message line"},
    {"font", "NAME", kStartup, keys::FontName, nullptr, "font of the message, e.g. \"Arial\""},
    {"speed", "2-100", kStartup, keys::Speed, nullptr,
     "least milliseconds between two steps of an aircraft: lower is faster"},
    {"engine", nullptr, kStartup, keys::Prop, "1", "play the engine sound"},
    {"no-engine", nullptr, kStartup, keys::Prop, "0", "no engine sound"},
    {"volume", "-10000-0", kStartup, keys::Volume, nullptr,
     "engine volume in hundredths of a decibel"},
    {"sound-off", "MINUTES", kSystem, keys::SoundOff, nullptr,
     "stop the engine after so many minutes, or Never"},
}};

const SettingOption* FindOption(std::string_view name) {
  for (const SettingOption& option : kOptions) {
    if (name == option.name) return &option;
  }
  return nullptr;
}

}  // namespace

SettingOptions ParseSettingOptions(const std::vector<std::string>& args) {
  SettingOptions result;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string_view word = args[i];
    if (word.size() < 2 || word[0] != '-') continue;
    word.remove_prefix(word[1] == '-' ? 2 : 1);
    if (word == "help" || word == "h") {
      result.help = true;
      continue;
    }
    const size_t equals = word.find('=');
    const std::string_view name = word.substr(0, equals);
    const SettingOption* option = FindOption(name);
    if (!option) continue;
    if (!option->argument) {
      if (equals == std::string_view::npos) {
        result.overrides.push_back({option->section, option->key, option->switchValue});
      }
      continue;
    }
    if (equals != std::string_view::npos) {
      result.overrides.push_back(
          {option->section, option->key, std::string(word.substr(equals + 1))});
    } else if (i + 1 < args.size()) {
      result.overrides.push_back({option->section, option->key, args[++i]});
    }
  }
  return result;
}

std::string SettingOptionsUsage() {
  std::string text =
      "Settings for this run (each replaces a value of skyvault.ini, which keeps it):\n";
  const auto line = [&text](const SettingOption& option) {
    std::string left = std::string("  --") + option.name;
    if (option.argument) left += std::string(" ") + option.argument;
    if (left.size() < 24) left.resize(24, ' ');
    text += left + " " + option.help + "\n";
  };
  for (const SettingOption& option : kOptions) line(option);
  return text;
}

}  // namespace skyvault
