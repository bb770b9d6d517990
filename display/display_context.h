#pragma once
#include "controls/drawing_control.h"
#include "controls/sound_control.h"
#include "display/display_state.h"
#include "platform/platform_services.h"
#include "settings/settings_store.h"

namespace skyvault {

// What the display's procedures work on: the window's state record and the
// services the window holds. Owned by SaverDisplay; the procedures borrow it.
struct DisplayContext {
  DisplayState& state;
  SettingsStore& settings;
  DrawingControl& drawing;
  SoundControl& sound;
  PlatformServices& platform;
};

}  // namespace skyvault
