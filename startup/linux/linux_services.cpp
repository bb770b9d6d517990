#include "startup/linux/linux_services.h"

#include "controls/linux/alsa_sound_control.h"
#include "settings/command_line_overrides.h"
#include "settings/linux/ini_settings_store.h"
#include "settings/linux/settings_path.h"
#include "settings/overlay_settings_store.h"

namespace skyvault {

std::unique_ptr<SettingsStore> MakeSettingsStore(const std::vector<std::string>& args) {
  const SettingOptions options = ParseSettingOptions(args);
  return std::make_unique<OverlaySettingsStore>(
      std::make_unique<IniSettingsStore>(SettingsFilePath()), options.overrides);
}

std::unique_ptr<SoundControl> MakeSoundControl(bool mute) {
  AlsaSoundControl::Options options;
  options.mute = mute;
  options.lockPath = SoundLockPath();
  options.lockFallbackPath = FallbackSoundLockPath();
  return std::make_unique<AlsaSoundControl>(options);
}

}  // namespace skyvault
