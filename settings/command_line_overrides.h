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
// name), read as ReadCommandLine reads it. Each option sets one stored key;
// a value is taken as it is (the display mends what it cannot use), and a
// scale's step becomes the value it stands for.
SettingOptions ParseSettingOptions(const std::vector<std::string>& args);

}  // namespace skyvault
