// Ending the saver: keys, buttons, pointer moves, CloseDown and unloading.
#include <gtest/gtest.h>

#include "display/tests/form1_harness.h"

namespace skyvault::testing {
namespace {

const Log kEnding = {
    "StopAllSound()",
    "StopSound(7)",
    "ScreenSaverRunning(false)",
    "UnloadOtherWindows",
    "UnloadDisplayWindow",
    "StopSound(7)",  // the unload handler, as the window goes
    "StopAllSound()",
    "ShowCursor(true)",
    "EndProgram",
};

TEST(Form1Ending, AKeyOrAButtonEndsTheSaverInOrder) {
  for (bool key : {true, false}) {
    Harness h;
    h.LoadWith();
    h.Frames(3);
    h.Take();
    key ? h.form.OnKey() : h.form.OnMouseButton();
    EXPECT_EQ(h.Take(), kEnding);
    EXPECT_TRUE(h.form.finished());
  }
}

TEST(Form1Ending, NothingIsHandledAfterTheEnd) {
  Harness h;
  h.LoadWith();
  h.form.OnKey();
  h.Take();
  h.Frame();
  h.form.OnSoundTimer();
  h.form.OnPauseTimer();
  h.form.OnPointerMove();
  h.form.OnMouseButton();
  h.form.OnKey();
  h.form.CloseDown();
  h.form.Unload();
  EXPECT_TRUE(h.Take().empty());
  EXPECT_EQ(h.host.ended, 1);
  EXPECT_EQ(h.state().BGPlaneWait, 0);
}

TEST(Form1Ending, AKeyEndsTheSaverWhileTheEngineIsSilent) {
  Harness h;
  h.FirstRunStore();
  h.Set("System", "SoundOff", "1");
  h.Load();
  for (int i = 0; i < 61; ++i) h.form.OnSoundTimer();
  ASSERT_EQ(h.state().EngineSoundOn.NumberValue(), 0);
  h.Take();
  h.form.OnKey();
  EXPECT_EQ(h.Take(), kEnding);
}

TEST(Form1Ending, AWindowClosedFromOutsideRunsOnlyTheUnloadHandler) {
  Harness h;
  h.LoadWith();
  h.form.Unload();
  EXPECT_EQ(h.Take(), (Log{"StopSound(7)", "StopAllSound()", "ShowCursor(true)"}));
  h.Frame();
  h.form.OnKey();
  EXPECT_TRUE(h.Take().empty());
  EXPECT_EQ(h.host.ended, 0);
}

TEST(Form1Ending, TheSoundIsStoppedByTheHandleTheSoundControlGave) {
  Harness h;
  h.sound.nextHandle = 42;
  h.LoadWith();
  h.form.OnMouseButton();
  EXPECT_EQ(Count(h.log, "StopSound(42)"), 2);
}

struct MoveFixture : ::testing::Test {
  void LoadWithSensitivity(const char* sensitivity) {
    h.LoadWith({{"MouseSens", sensitivity}});
    h.platform.time = {14, 30, 0, 0};
  }
  void Move() { h.form.OnPointerMove(); }
  void Wait(double seconds) { h.platform.AdvanceSeconds(seconds); }
  bool Ended() const { return h.host.ended > 0; }
  Harness h;
};

TEST_F(MoveFixture, FourthMoveAfterAnElevenSecondPauseStillCounts) {
  LoadWithSensitivity("4");
  Move(); Move(); Move();
  EXPECT_FALSE(Ended());
  Wait(11);
  Move();
  EXPECT_TRUE(Ended());
  EXPECT_EQ(Log(h.log.end() - 9, h.log.end()), kEnding);
}

TEST_F(MoveFixture, ThePauseClosesTheWindowAtTheNextMoveAndANewOneOpens) {
  LoadWithSensitivity("4");
  Move(); Move();
  Wait(11);
  Move();  // count 3, then the window closes
  EXPECT_EQ(h.state().MoveCount, 0);
  EXPECT_EQ(h.state().MoveWindowStart, 0);
  Move();  // opens a new window with a count of 1
  EXPECT_EQ(h.state().MoveCount, 1);
  EXPECT_EQ(h.state().MoveWindowStart, 14 * 3600 + 30 * 60 + 11);
  EXPECT_FALSE(Ended());
  Move(); Move();
  EXPECT_FALSE(Ended());
  Move();
  EXPECT_TRUE(Ended());
}

TEST_F(MoveFixture, TheWindowIsTenSecondsAndTheTestIsStrict) {
  LoadWithSensitivity("5");
  Move();
  Wait(10);
  Move();  // exactly ten seconds: still the same window
  EXPECT_EQ(h.state().MoveCount, 2);
  Wait(0.25);
  Move();  // 10.25 s: counted, then the window closes
  EXPECT_EQ(h.state().MoveCount, 0);
  EXPECT_FALSE(Ended());
}

TEST_F(MoveFixture, SensitivityOneEndsAtTheFirstMove) {
  LoadWithSensitivity("1");
  Move();
  EXPECT_TRUE(Ended());
}

TEST_F(MoveFixture, ASensitivityTheCountCannotMatchNeverEndsBut_AKeyDoes) {
  for (const char* sensitivity : {"0", "-3", "2.5", "abc"}) {
    Harness fresh;
    fresh.LoadWith({{"MouseSens", sensitivity}});
    fresh.platform.time = {9, 0, 0, 0};
    for (int i = 0; i < 200000; ++i) {
      fresh.form.OnPointerMove();
      if (i % 1000 == 0) fresh.platform.AdvanceSeconds(0.5);
    }
    EXPECT_EQ(fresh.host.ended, 0) << sensitivity;
    fresh.form.OnKey();
    EXPECT_EQ(fresh.host.ended, 1) << sensitivity;
  }
}

TEST_F(MoveFixture, TheMoveCountStopsAtItsLargestValueInsteadOfOverflowing) {
  LoadWithSensitivity("0");
  for (int i = 0; i < 1'000'000; ++i) Move();  // the clock stands still: one window
  EXPECT_EQ(h.state().MoveCount, 32767);
  EXPECT_FALSE(Ended());
  Wait(11);
  Move();
  EXPECT_EQ(h.state().MoveCount, 0);
  Move();
  EXPECT_EQ(h.state().MoveCount, 1);
}

TEST_F(MoveFixture, TheLargestSensitivityIsReachable) {
  LoadWithSensitivity("32767");
  for (int i = 0; i < 32766; ++i) Move();
  EXPECT_FALSE(Ended());
  Move();
  EXPECT_TRUE(Ended());
}

TEST_F(MoveFixture, TheWindowStartIsTheNearestWholeSecondTiesToEven) {
  const std::pair<TimeOfDay, int32_t> cases[] = {
      {{0, 0, 10, 500}, 10}, {{0, 0, 11, 500}, 12}, {{0, 0, 11, 499}, 11},
      {{0, 0, 11, 501}, 12}, {{10, 0, 0, 0}, 36000}, {{0, 0, 0, 400}, 0},
  };
  for (const auto& [time, start] : cases) {
    Harness fresh;
    fresh.LoadWith({{"MouseSens", "9"}});
    fresh.platform.time = time;
    fresh.form.OnPointerMove();
    EXPECT_EQ(fresh.state().MoveWindowStart, start) << time.second << "." << time.millisecond;
  }
}

TEST_F(MoveFixture, AWindowOpenedBeforeMidnightClosesAfterIt) {
  LoadWithSensitivity("4");
  h.platform.time = {23, 59, 58, 0};
  Move();
  Move();
  h.platform.time = {0, 0, 3, 0};
  Move();  // counted (3), then the clock went back: the window closes
  EXPECT_FALSE(Ended());
  EXPECT_EQ(h.state().MoveCount, 0);
  Move();
  EXPECT_EQ(h.state().MoveCount, 1);
  EXPECT_EQ(h.state().MoveWindowStart, 3);
}

TEST_F(MoveFixture, AStartRoundedUpIsNotMistakenForAClockGoingBack) {
  LoadWithSensitivity("3");
  h.platform.time = {8, 0, 0, 600};
  Move();
  EXPECT_EQ(h.state().MoveWindowStart, 28801);  // half a second ahead of the clock
  h.platform.time = {8, 0, 0, 700};
  Move();
  EXPECT_EQ(h.state().MoveCount, 2);  // same window
  Move();
  EXPECT_TRUE(Ended());
}

TEST(Form1PauseTimer, CountsZeroToFortyAndStartsAgain) {
  Harness h;
  h.LoadWith();
  std::vector<int> seen;
  for (int i = 0; i < 83; ++i) {
    h.form.OnPauseTimer();
    seen.push_back(h.state().BGPlaneWait);
  }
  EXPECT_EQ(seen[0], 1);
  EXPECT_EQ(seen[39], 40);
  EXPECT_EQ(seen[40], 0);
  EXPECT_EQ(seen[41], 1);
  EXPECT_EQ(seen[80], 40);
  EXPECT_EQ(seen[81], 0);
  EXPECT_EQ(*std::max_element(seen.begin(), seen.end()), 40);
}

}  // namespace
}  // namespace skyvault::testing
