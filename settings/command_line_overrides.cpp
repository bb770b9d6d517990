#include "settings/command_line_overrides.h"

#include "settings/command_line_options.h"

namespace skyvault {

SettingOptions ParseSettingOptions(const std::vector<std::string>& args) {
  SettingOptions result;
  for (const GivenOption& given : ReadCommandLine(args)) {
    const CommandLineOption& option = *given.option;
    if (option.role == OptionRole::kHelp) result.help = true;
    if (option.role != OptionRole::kSetting) continue;
    const std::optional<std::string> value = option.switchValue.empty()
                                                 ? StoredValue(option, given.value)
                                                 : std::string(option.switchValue);
    if (value) {
      result.overrides.push_back({std::string(option.section), std::string(option.key), *value});
    }
  }
  return result;
}

}  // namespace skyvault
