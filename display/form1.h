#pragma once
#include "controls/drawing_control.h"
#include "controls/sound_control.h"
#include "display/form1_context.h"
#include "display/form1_host.h"
#include "display/form1_state.h"
#include "platform/platform_services.h"
#include "settings/settings_store.h"

namespace skyvault {

// Seconds of the pointer-move counting window.
inline constexpr double kMoveWindowSeconds = 10;
// The pause timer's counter runs 0, 1, ..., 40, 0, ...
inline constexpr int16_t kLargestBGPlaneWait = 40;

// The full-screen display window `Form1`: its state record and its
// handlers. The window around it (or a test) calls the handlers; Form1 acts
// only through the settings store, the two controls, the platform services
// and its host.
class Form1 : public DrawingEvents {
 public:
  Form1(SettingsStore& settings, DrawingControl& drawing, SoundControl& sound,
        PlatformServices& platform, Form1Host& host);
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // The load sequence: first-run values, the relay's start, the settings,
  // the sound-off time, the pointer hidden, the drawing session, the sound
  // session.
  void Load();

  // Drawing-control events.
  void OnFrame() override;
  void OnPointerMove() override;
  void OnMouseButton() override;
  void OnKey() override;

  // The two one-second timers.
  void OnSoundTimer();
  void OnPauseTimer();

  // Ends the saver: running mark cleared, the other windows and this one
  // unloaded, the program ended.
  void CloseDown();
  // The unload handler: the sound stopped, the pointer shown. Runs once.
  void Unload();

  // True once the program has been ended or the window unloaded; every
  // later event is ignored.
  bool finished() const { return ended_ || unloaded_; }

  Form1State& state() { return state_; }
  const Form1State& state() const { return state_; }

 private:
  void StopSoundAndCloseDown();

  Form1State state_;
  Form1Context context_;
  Form1Host& host_;
  bool ended_ = false;
  bool unloaded_ = false;
};

}  // namespace skyvault
