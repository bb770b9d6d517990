#pragma once
#include <memory>
#include <string>
#include <vector>

#include "controls/sound_control.h"
#include "settings/settings_store.h"

namespace skyvault {

// The saver's settings store on Linux; `args` is the whole command line after
// the program's name, whose settings options hold for this run only.
std::unique_ptr<SettingsStore> MakeSettingsStore(const std::vector<std::string>& args);

// The engine sound's control on Linux; `mute` makes it silent.
std::unique_ptr<SoundControl> MakeSoundControl(bool mute);

}  // namespace skyvault
