// Ending the saver (keys, buttons, pointer moves, closing) and the pause timer.
#include <gtest/gtest.h>

#include "display/tests/display_harness.h"

namespace skyvault::testing {
namespace {

TEST(DisplayEnding, AKeyOrAButtonEndsTheSaverInOrderAndNothingIsHandledAfter) {
  for (bool key : {true, false}) {
    Harness h;
    h.sound.nextHandle = 42;
    h.LoadWith();
    h.Frames(3);
    h.Take();
    key ? h.form.OnKey() : h.form.OnMouseButton();
    EXPECT_EQ(h.Take(),
              (Log{"StopAllSound()", "StopSound(42)", "Running(false)", "UnloadOtherWindows",
                   "UnloadDisplayWindow", "StopSound(42)", "StopAllSound()",  // unload handler
                   "ShowCursor(true)", "EndProgram"}));
    h.Frame();
    h.form.OnSoundTimer();
    h.form.OnPauseTimer();
    h.form.OnPointerMove();
    h.form.OnKey();
    h.form.Unload();
    EXPECT_EQ(h.Take(), Log{});
    EXPECT_EQ(h.ended, 1);
    EXPECT_EQ(h.state().bomberWaitTicks, 0);
  }
}

TEST(DisplayEnding, AWindowClosedFromOutsideClearsTheRunningMarkAndUnloadsOnce) {
  Harness h;
  h.LoadWith();
  h.form.OnWindowClosed();
  EXPECT_EQ(h.Take(),
            (Log{"Running(false)", "StopSound(7)", "StopAllSound()", "ShowCursor(true)"}));
  h.Frame();
  h.form.OnKey();
  h.form.OnWindowClosed();
  EXPECT_EQ(h.Take(), Log{});
  EXPECT_EQ(h.ended, 0);
}

TEST(DisplayEnding, PasswordModeLeavesThePointerShownFromLoadToUnload) {
  Harness h;
  h.form.Load(PointerAtLoad::Shown);
  h.form.Unload();
  EXPECT_EQ(Count(h.Take(), "ShowCursor"), 0);
}

// Pointer moves (M) and pauses in seconds; the ending move, counted from 1, or 0 for none.
constexpr double M = 0;
TEST(DisplayEnding, TheMouseSensTHMoveOfATenSecondWindowEnds) {
  const std::tuple<const char*, std::vector<double>, int> cases[] = {
      {"4", {M, M, M, 11, M}, 4},                 // the late move still counts
      {"4", {M, M, 11, M, M, M, M, M}, 7},        // then the window closes; a new one opens
      {"5", {M, 10, M, 0.25, M, M, M, M, M}, 0},  // ten seconds is still the same window
      {"4", {M, M, 86395, M, M, M}, 0},           // a clock gone back closes the window
      {"1", {M}, 1},
      {"32767", std::vector<double>(32767, M), 32767},
      {"0", std::vector<double>(40000, M), 0},  // equality: never, and the count saturates
      {"2.5", {M, M, M, M}, 0},
      {"-3", {M, M, M, M}, 0}};
  for (const auto& [sensitivity, script, endsAt] : cases) {
    Harness h;
    h.LoadWith({{"MouseSens", sensitivity}});
    h.platform.time = {14, 30, 0, 0};
    int moves = 0, endedAt = 0;
    for (double step : script) {
      if (step > 0) {
        h.platform.AdvanceSeconds(step);
        continue;
      }
      h.form.OnPointerMove();
      ++moves;
      if (h.ended && !endedAt) endedAt = moves;
    }
    EXPECT_EQ(endedAt, endsAt) << sensitivity << " after " << script.size();
    if (std::string(sensitivity) == "0") {
      EXPECT_EQ(h.state().moveCount, 32767) << "saturates";
    }
  }
}

TEST(DisplayPauseTimer, CountsOneToFortyThenZero) {
  Harness h;
  h.LoadWith();
  std::string seen;
  for (int i = 0; i < 82; ++i)
    h.form.OnPauseTimer(), seen += std::to_string(h.state().bomberWaitTicks) + " ";
  std::string cycle;
  for (int i = 1; i <= 40; ++i) cycle += std::to_string(i) + " ";
  EXPECT_EQ(seen, cycle + "0 " + cycle + "0 ");
}

}  // namespace
}  // namespace skyvault::testing
