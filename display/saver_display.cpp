#include "display/saver_display.h"

#include <cmath>

#include "display/engine_sound.h"
#include "display/frame_composition.h"
#include "display/load_settings.h"
#include "display/sprite_loading.h"
#include "settings/settings_schema.h"

namespace skyvault {

SaverDisplay::SaverDisplay(SettingsStore& settings, DrawingControl& drawing, SoundControl& sound,
                           PlatformServices& platform, DisplayHost& host)
    : settings_(settings), context_{state_, settings_, drawing, sound, platform}, host_(host) {}

void SaverDisplay::Load(PointerAtLoad pointer) {
  RunFirstRunCheck(context_.settings, context_.platform.DataFolder());

  state_.planeEnabled[1] = true;
  for (int n = 2; n <= kRelayAircraft; ++n) state_.planeEnabled[n] = false;

  ReadLoadSettings(context_);
  if (!IsNever(state_.soundOffSetting)) SoundOff(state_);
  if (pointer == PointerAtLoad::Hidden) {
    context_.platform.ShowCursor(false);
    pointerHidden_ = true;
  }
  OpenDrawingSession(context_);
  OpenSoundSession(context_);
}

void SaverDisplay::OnFrame() {
  if (finished()) return;
  ComposeFrame(context_);
}

void SaverDisplay::OnSoundTimer() {
  if (finished()) return;
  RunSoundTimer(context_);
}

void SaverDisplay::OnPauseTimer() {
  if (finished()) return;
  state_.bomberWaitTicks = CountUp(state_.bomberWaitTicks);
  if (state_.bomberWaitTicks > kLastPauseTick) state_.bomberWaitTicks = 0;
}

void SaverDisplay::OnMouseButton() {
  if (finished()) return;
  StopSoundAndCloseDown();
}

void SaverDisplay::OnKey() {
  if (finished()) return;
  StopSoundAndCloseDown();
}

// The saver ends at the `MouseSens`-th move of one counting window (an exact
// match: a sensitivity of 0, below 0 or with a fraction never ends it). A
// window opens at the first move after a reset and is checked only when a
// later move arrives, after the count: so the move that comes more than ten
// seconds late still counts, and only then is the window closed.
void SaverDisplay::OnPointerMove() {
  if (finished()) return;
  state_.moveCount = CountUp(state_.moveCount);
  if (state_.mouseSensitivity == state_.moveCount) {
    StopSoundAndCloseDown();
    return;
  }
  const float now = static_cast<float>(context_.platform.LocalTime().SecondsSinceMidnight());
  if (state_.moveWindowStart == 0) {
    state_.moveWindowStart = static_cast<int32_t>(std::nearbyint(now));  // ties to even
    return;
  }
  const double elapsed = static_cast<double>(now) - state_.moveWindowStart;
  // A clock that went back (past midnight, or set back) closes the window
  // too, or it would stay open until the same time of day came round again.
  // The start is rounded, so it may lie up to half a second ahead of now.
  if (elapsed > kMoveWindowSeconds || elapsed < -1) {
    state_.moveWindowStart = 0;
    state_.moveCount = 0;
  }
}

void SaverDisplay::StopSoundAndCloseDown() {
  context_.sound.StopAllSound();
  context_.sound.StopSound(SoundHandleArgument(state_));
  CloseDown();
}

void SaverDisplay::CloseDown() {
  if (ended_ || closingDown_) return;
  closingDown_ = true;
  context_.platform.SetScreenSaverRunning(false);
  host_.UnloadOtherWindows();
  host_.UnloadDisplayWindow();
  Unload();  // in case the window's going did not run it
  ended_ = true;
  host_.EndProgram();
}

void SaverDisplay::Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  context_.sound.StopSound(SoundHandleArgument(state_));
  context_.sound.StopAllSound();
  if (pointerHidden_) context_.platform.ShowCursor(true);
}

void SaverDisplay::OnWindowClosed() {
  if (!closingDown_ && !finished()) context_.platform.SetScreenSaverRunning(false);
  Unload();
}

}  // namespace skyvault
