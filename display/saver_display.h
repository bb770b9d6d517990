#pragma once
#include "controls/drawing_control.h"
#include "controls/sound_control.h"
#include "display/display_context.h"
#include "display/display_host.h"
#include "display/display_state.h"
#include "platform/platform_services.h"
#include "settings/settings_store.h"
#include "settings/unsaved_values_store.h"

namespace skyvault {

// Seconds of the pointer-move counting window.
inline constexpr double kMoveWindowSeconds = 10;
// The pause timer counts the bomber's wait (`bomberWaitTicks`) 0, 1, ...,
// 40, 0, ...: this is the last count before it starts again from 0.
inline constexpr int16_t kLastPauseTick = 40;

// The saver display: the full-screen window's state record and its
// handlers. The window around it (or a test) calls the handlers; SaverDisplay acts
// only through the settings store, the two controls, the platform services
// and its host. Values the store refuses (the first-run values where the
// settings cannot be stored) are kept for this run (UnsavedValuesStore).
//
// Whether the load sequence hides the pointer: the full-screen saver does;
// password mode, whose window is never shown while the system's password
// dialog is, does not.
enum class PointerAtLoad { Hidden, Shown };

class SaverDisplay : public DrawingEvents {
 public:
  // The display's clock: the frame event this many times a second, and the
  // two timers every kTimerMilliseconds. The platforms only keep the time.
  static constexpr int kFramesPerSecond = 60;
  static constexpr int kTimerMilliseconds = 1000;

  SaverDisplay(SettingsStore& settings, DrawingControl& drawing, SoundControl& sound,
               PlatformServices& platform, DisplayHost& host);
  SaverDisplay(const SaverDisplay&) = delete;
  SaverDisplay& operator=(const SaverDisplay&) = delete;

  // The load sequence: first-run values, the relay's start, the settings,
  // the sound-off time, the pointer hidden, the drawing session, the sound
  // session.
  void Load(PointerAtLoad pointer = PointerAtLoad::Hidden);

  // Drawing-control events.
  void OnFrame() override;
  void OnPointerMove() override;
  void OnMouseButton() override;
  void OnKey() override;

  // The two timers (every kTimerMilliseconds).
  void OnSoundTimer();
  void OnPauseTimer();

  // Ends the saver: running mark cleared, the other windows and this one
  // unloaded, the program ended.
  void CloseDown();
  // The unload handler: the sound stopped, the pointer shown again if the
  // load hid it. Runs once.
  void Unload();
  // The window is going. Unless CloseDown is taking it, it was closed from
  // outside: the screen saver no longer runs, so the running mark is cleared
  // as CloseDown would; then the unload handler runs.
  void OnWindowClosed();

  // True once the program has been ended or the window unloaded; every
  // later event is ignored.
  bool finished() const { return ended_ || unloaded_; }

  DisplayState& state() { return state_; }
  const DisplayState& state() const { return state_; }

 private:
  void StopSoundAndCloseDown();

  DisplayState state_;
  UnsavedValuesStore settings_;
  DisplayContext context_;
  DisplayHost& host_;
  bool ended_ = false;
  bool unloaded_ = false;
  bool pointerHidden_ = false;
  bool closingDown_ = false;
};

}  // namespace skyvault
