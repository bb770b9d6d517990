#include "display/form1.h"

#include <cmath>

#include "display/engine_sound.h"
#include "display/frame_composition.h"
#include "display/load_settings.h"
#include "display/sprite_loading.h"
#include "settings/settings_schema.h"

namespace skyvault {

Form1::Form1(SettingsStore& settings, DrawingControl& drawing, SoundControl& sound,
             PlatformServices& platform, Form1Host& host)
    : context_{state_, settings, drawing, sound, platform}, host_(host) {}

void Form1::Load() {
  if (NeedsFirstRunValues(context_.settings)) SetRegistry(context_.settings);

  state_.PlaneEnabled[1] = true;
  for (int n = 2; n <= kRelayAircraft; ++n) state_.PlaneEnabled[n] = false;

  ReadLoadSettings(context_);
  if (!IsNever(state_.SoundOffSetting)) SoundOff(state_);
  context_.platform.ShowCursor(false);
  OpenDirectDrawSession(context_);
  OpenDirectSoundSession(context_);
}

void Form1::OnFrame() {
  if (finished()) return;
  ComposeFrame(context_);
}

void Form1::OnSoundTimer() {
  if (finished()) return;
  RunSoundTimer(context_);
}

void Form1::OnPauseTimer() {
  if (finished()) return;
  state_.BGPlaneWait = CountUp(state_.BGPlaneWait);
  if (state_.BGPlaneWait > kLargestBGPlaneWait) state_.BGPlaneWait = 0;
}

void Form1::OnMouseButton() {
  if (finished()) return;
  StopSoundAndCloseDown();
}

void Form1::OnKey() {
  if (finished()) return;
  StopSoundAndCloseDown();
}

// The saver ends at the `MouseSens`-th move of one counting window (an exact
// match: a sensitivity of 0, below 0 or with a fraction never ends it). A
// window opens at the first move after a reset and is checked only when a
// later move arrives, after the count: so the move that comes more than ten
// seconds late still counts, and only then is the window closed.
void Form1::OnPointerMove() {
  if (finished()) return;
  state_.MoveCount = CountUp(state_.MoveCount);
  if (state_.MouseSensitivity == state_.MoveCount) {
    StopSoundAndCloseDown();
    return;
  }
  const float now = static_cast<float>(context_.platform.LocalTime().SecondsSinceMidnight());
  if (state_.MoveWindowStart == 0) {
    state_.MoveWindowStart = static_cast<int32_t>(std::nearbyint(now));  // ties to even
    return;
  }
  const double elapsed = static_cast<double>(now) - state_.MoveWindowStart;
  // A clock that went back (past midnight, or set back) closes the window
  // too, or it would stay open until the same time of day came round again.
  // The start is rounded, so it may lie up to half a second ahead of now.
  if (elapsed > kMoveWindowSeconds || elapsed < -1) {
    state_.MoveWindowStart = 0;
    state_.MoveCount = 0;
  }
}

void Form1::StopSoundAndCloseDown() {
  context_.sound.StopAllSound();
  context_.sound.StopSound(SoundHandleArgument(state_));
  CloseDown();
}

void Form1::CloseDown() {
  if (ended_) return;
  context_.platform.SetScreenSaverRunning(false);
  host_.UnloadOtherWindows();
  host_.UnloadDisplayWindow();
  Unload();  // in case the window's going did not run it
  ended_ = true;
  host_.EndProgram();
}

void Form1::Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  context_.sound.StopSound(SoundHandleArgument(state_));
  context_.sound.StopAllSound();
  context_.platform.ShowCursor(true);
}

}  // namespace skyvault
