#pragma once
#include <memory>
#include <string>
#include <vector>

#include "controls/sound_control.h"
#include "settings/settings_store.h"

namespace skyvault {

// The settings of this run: skyvault.ini under the XDG configuration folder,
// with the settings options of the command line (`args`: everything after
// the program's name) read first. With --help, prints those options' usage.
std::unique_ptr<SettingsStore> MakeSettingsStore(const std::vector<std::string>& args);

// The engine's sound control: ALSA's default device, played by one process
// per X display; silent when `mute` (the settings window's preview).
std::unique_ptr<SoundControl> MakeSoundControl(bool mute);

}  // namespace skyvault
