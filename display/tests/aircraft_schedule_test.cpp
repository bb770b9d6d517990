// The aircraft schedule, frame by frame.
#include <gtest/gtest.h>

#include "display/aircraft_schedule.h"
#include "display/aircraft_table.h"
#include "display/tests/form1_harness.h"

namespace skyvault::testing {
namespace {

std::string S(int n) { return std::to_string(n); }

// Black background, no clock, no message, no logo: a frame's drawing calls
// are ClearFrame, then the schedule's, then ShowFrame. The BG aircraft is
// sprite 1 and aircraft N sprite N + 1.
struct ScheduleScene {
  explicit ScheduleScene(std::vector<std::pair<std::string, std::string>> startup = {},
                         uint32_t startTick = 100000) {
    startup.insert(startup.begin(), {{"BackGround", "1"}, {"Clock", "0"}});
    h.platform.tick = startTick;
    h.LoadWith(startup);
  }

  // The schedule's drawing calls in one frame `ms` after the last.
  Log Frame(uint32_t ms = 16) {
    h.drawing.ClearCalls();
    h.Frame(ms);
    const Log& calls = h.drawing.calls;
    EXPECT_EQ(calls.front(), "ClearFrame(0)");
    EXPECT_EQ(calls.back(), "ShowFrame()");
    return Log(calls.begin() + 1, calls.end() - 1);
  }
  static constexpr int kBG = 1;
  static int Sprite(int aircraft) { return aircraft + 1; }

  void Place(int sprite, int x) { h.drawing.sprites[sprite].x = x; }
  void Place(int sprite, int x, int y) {
    h.drawing.sprites[sprite].x = x;
    h.drawing.sprites[sprite].y = y;
  }
  int X(int sprite) { return h.drawing.sprite(sprite).x; }
  int Y(int sprite) { return h.drawing.sprite(sprite).y; }
  // Aircraft N flying, in its level leg, at x.
  void FlyingLevel(int n, int x) {
    s().PlaneEnabled[n] = true;
    s().PlaneLevel[n] = true;
    s().PlaneLegFrames[n] = 0;
    Place(Sprite(n), x);
  }
  void BGFlying(bool level, int x) {
    s().BGPlaneState = 0;
    s().BGPlaneLevel = level;
    s().BGPlaneLegFrames = 0;
    Place(kBG, x);
  }
  Form1State& s() { return h.state(); }
  Harness h;
};

struct ScheduleFixture : ::testing::Test, ScheduleScene {};

TEST_F(ScheduleFixture, FirstFrameMovesTheBGAircraftAndAircraftOneOnly) {
  EXPECT_EQ(Frame(), (Log{
                         "DrawSprite(1)",
                         "MoveSpriteY(1, 1)",
                         "MoveSpriteX(1, 2)",
                         "GetSpriteX(1) = -318",
                         "DrawSprite(2)",
                         "MoveSpriteY(2, -1)",
                         "MoveSpriteX(2, -1)",
                     }));
  EXPECT_EQ(std::make_pair(X(kBG), Y(kBG)), std::make_pair(-318, 76));
  EXPECT_EQ(std::make_pair(X(2), Y(2)), std::make_pair(804, 179));
  for (int n = 2; n <= 15; ++n) {
    const AircraftRow& row = kAircraft[n];
    EXPECT_EQ(std::make_pair(X(Sprite(n)), Y(Sprite(n))), std::make_pair(row.startX, row.startY));
  }
}

TEST_F(ScheduleFixture, LegsAreCountedInFramesWhetherOrNotTheAircraftStepped) {
  for (double interval : {3.0, 1e12}) {  // every frame a step, or never one
    ScheduleScene f;
    f.s().MoveInterval = interval;
    std::string legs, bgLegs;
    for (int frame = 1; frame <= 52; ++frame) {
      legs += f.s().PlaneLevel[1] ? 'L' : 's';
      bgLegs += f.s().BGPlaneLevel ? 'L' : 's';
      f.Frame();
    }
    EXPECT_EQ(legs, "ssss" + std::string(20, 'L') + "ssss" + std::string(20, 'L') + "ssss") << interval;
    EXPECT_EQ(bgLegs, "s" + std::string(25, 'L') + "s" + std::string(25, 'L')) << interval;
  }
}

TEST(ScheduleLegs, EveryRelayAircraftKeepsItsOwnLegLengths) {
  const std::pair<int, int> legs[16] = {
      {}, {4, 20}, {1, 8}, {4, 40}, {1, 16}, {1, 10}, {1, 2}, {4, 40}, {1, 17},
      {10, 1000}, {2, 1000}, {2, 8}, {1, 18}, {9, 1000}, {3, 10}, {5, 30},
  };
  for (int n = 1; n <= 15; ++n) {
    ScheduleScene f;
    f.s().MoveInterval = 1e12;  // nobody moves, so nobody leaves
    for (int k = 1; k <= 15; ++k) f.s().PlaneEnabled[k] = k == n;
    std::vector<int> runs;  // lengths of the legs as frames go by
    bool level = false;
    int run = 0;
    while (runs.size() < 3) {
      f.h.Frame();
      ++run;
      if (f.s().PlaneLevel[n] != level) {
        runs.push_back(run);
        run = 0;
        level = f.s().PlaneLevel[n];
      }
    }
    EXPECT_EQ(runs, (std::vector<int>{legs[n].first, legs[n].second, legs[n].first})) << n;
  }
}

TEST_F(ScheduleFixture, ASlantingFrameMovesVerticallyAndReadsNothingBack) {
  Log slanting = Frame();
  EXPECT_EQ(Count(slanting, "GetSpriteX(2)"), 0);
  EXPECT_EQ(Count(slanting, "MoveSpriteY(2"), 1);
  for (int i = 0; i < 3; ++i) Frame();
  Log level = Frame();  // frame 5: aircraft 1's first level frame
  EXPECT_EQ(Count(level, "MoveSpriteY(2"), 0);
  EXPECT_EQ(Count(level, "GetSpriteX(2) = 800"), 1);
}

TEST_F(ScheduleFixture, ALaunchedAircraftFliesInTheFrameOfItsLaunch) {
  FlyingLevel(1, 101);
  Log frame = Frame();  // 100: not below 100
  EXPECT_FALSE(s().PlaneEnabled[2]);
  EXPECT_EQ(Count(frame, "DrawSprite(3)"), 0);
  frame = Frame();  // 99
  EXPECT_TRUE(s().PlaneEnabled[2]);
  const Log tail(std::find(frame.begin(), frame.end(), "GetSpriteX(2) = 99"), frame.end());
  EXPECT_EQ(tail, (Log{"GetSpriteX(2) = 99", "DrawSprite(3)", "MoveSpriteY(3, -1)", "MoveSpriteX(3, -1)"}));
}

TEST_F(ScheduleFixture, AircraftOneLeavingIsPutBackAndStillLaunchesTheNext) {
  FlyingLevel(1, -350);
  s().PlaneLegFrames[1] = 7;
  const size_t randomsUsed = h.platform.randomIndex;
  const Log frame = Frame();
  const Log tail(std::find(frame.begin(), frame.end(), "GetSpriteX(2) = -351"), frame.end());
  ASSERT_GE(tail.size(), 3u);
  EXPECT_EQ(Log(tail.begin(), tail.begin() + 3),
            (Log{"GetSpriteX(2) = -351", "SetSpriteX(2, 805)", "SetSpriteY(2, 180)"}));
  EXPECT_FALSE(s().PlaneEnabled[1]);
  EXPECT_TRUE(s().PlaneEnabled[2]) << "launched with the x read as it left";
  EXPECT_EQ(s().PlaneLegFrames[1], 8) << "leg kept across the leave";
  EXPECT_EQ(h.platform.randomIndex, randomsUsed) << "aircraft 1 always comes back at 180";
  EXPECT_EQ(Count(Frame(), "DrawSprite(2)"), 0);
}

TEST_F(ScheduleFixture, AircraftFifteenRelaunchesAircraftOneForTheNextFrame) {
  s().PlaneEnabled[1] = false;
  FlyingLevel(15, 700);
  Log frame = Frame();
  EXPECT_TRUE(s().PlaneEnabled[1]);
  EXPECT_EQ(Count(frame, "DrawSprite(2)"), 0);
  EXPECT_EQ(Count(frame, "GetSpriteX(16) = 701"), 1);
  frame = Frame();
  EXPECT_EQ(Count(frame, "DrawSprite(2)"), 1);
}

TEST_F(ScheduleFixture, AircraftSevenLaunchesEightOnlyAsItLeaves) {
  s().PlaneEnabled[1] = false;
  FlyingLevel(7, 800);
  s().PlaneHeight[7] = 33;
  h.platform.randoms = {0.25};
  Log frame = Frame();  // 801
  EXPECT_TRUE(s().PlaneEnabled[7]);
  EXPECT_FALSE(s().PlaneEnabled[8]);
  frame = Frame();  // 802: leaves and launches
  EXPECT_FALSE(s().PlaneEnabled[7]);
  EXPECT_TRUE(s().PlaneEnabled[8]);
  const Log tail(std::find(frame.begin(), frame.end(), "GetSpriteX(8) = 802"), frame.end());
  EXPECT_EQ(tail, (Log{"GetSpriteX(8) = 802", "SetSpriteX(8, -343)", "SetSpriteY(8, 125)",
                       "DrawSprite(9)", "MoveSpriteY(9, -1)", "MoveSpriteX(9, -1)"}));
  EXPECT_EQ(s().PlaneHeight[7], 125);
}

TEST_F(ScheduleFixture, AircraftTwoToFifteenComeBackAtAFreshRandomHeightEachTime) {
  s().PlaneEnabled[1] = false;
  h.platform.randoms = {0.123, 0.999, 0.0};
  for (int expected : {61, 499, 0}) {
    FlyingLevel(2, -325);
    const Log frame = Frame();
    EXPECT_EQ(Count(frame, "SetSpriteY(3, " + S(expected) + ")"), 1) << expected;
    EXPECT_EQ(s().PlaneHeight[2], expected);
    EXPECT_EQ(std::make_pair(X(3), Y(3)), std::make_pair(805, expected));
  }
}

TEST_F(ScheduleFixture, EveryRelayAircraftLeavesAndLaunchesByItsOwnRow) {
  struct Row {
    int leaveFrom, leaveAt, putBackX, launches, launchFrom, launchAt;
  };
  // x before the frame and the x read in it, from the relay's plan.
  const Row rows[16] = {
      {},
      {-350, -351, 805, 2, 100, 99},    {-325, -326, 805, 3, 100, 99},
      {801, 802, -326, 4, 700, 701},    {805, 806, -300, 5, 700, 701},
      {801, 802, -326, 6, 700, 701},    {-326, -327, 805, 7, 100, 99},
      {801, 802, -343, 8, 801, 802},    {-366, -367, 805, 9, 100, 99},
      {-350, -351, 805, 10, 100, 99},   {801, 802, -350, 11, 700, 701},
      {805, 806, -351, 12, 700, 701},   {-351, -352, 805, 13, 100, 99},
      {-350, -351, 805, 14, 100, 99},   {805, 806, -350, 15, 700, 701},
      {805, 806, -340, 1, 700, 701},
  };
  for (int n = 1; n <= 15; ++n) {
    const Row& row = rows[n];
    {  // one pixel short of leaving: stays, but launches past its launch x
      ScheduleScene f;
      for (int k = 1; k <= 15; ++k) f.s().PlaneEnabled[k] = false;
      const int before = row.leaveFrom - (row.leaveAt - row.leaveFrom);
      f.FlyingLevel(n, before);
      f.Frame();
      EXPECT_TRUE(f.s().PlaneEnabled[n]) << n;
      EXPECT_EQ(f.s().PlaneEnabled[row.launches], n != 7) << n;
    }
    {  // the leaving frame
      ScheduleScene f;
      for (int k = 1; k <= 15; ++k) f.s().PlaneEnabled[k] = false;
      f.FlyingLevel(n, row.leaveFrom);
      f.Frame();
      EXPECT_FALSE(f.s().PlaneEnabled[n]) << n;
      EXPECT_EQ(f.X(Sprite(n)), row.putBackX) << n;
      EXPECT_TRUE(f.s().PlaneEnabled[row.launches]) << n;
    }
    {  // the launch test is strict
      ScheduleScene f;
      for (int k = 1; k <= 15; ++k) f.s().PlaneEnabled[k] = false;
      f.FlyingLevel(n, row.launchFrom - (row.launchAt - row.launchFrom));
      f.Frame();
      EXPECT_FALSE(f.s().PlaneEnabled[row.launches]) << n << " at " << row.launchFrom;
      f.Frame();
      EXPECT_TRUE(f.s().PlaneEnabled[row.launches]) << n << " at " << row.launchAt;
    }
  }
}

TEST_F(ScheduleFixture, TheBGAircraftCanLeaveInASlantingFrame) {
  BGFlying(false, 804);
  s().BGPlaneHeight = 123;
  s().BGPlaneWait = 17;
  const Log frame = Frame();
  EXPECT_EQ(Log(frame.begin(), frame.begin() + 6),
            (Log{"DrawSprite(1)", "MoveSpriteY(1, 1)", "MoveSpriteX(1, 2)", "GetSpriteX(1) = 806",
                 "SetSpriteX(1, -320)", "SetSpriteY(1, 123)"}));
  EXPECT_EQ(frame.at(6), "DrawSprite(2)") << "no level frame after it";
  EXPECT_EQ(s().BGPlaneState, 1);
  EXPECT_EQ(s().BGPlaneWait, 0);
}

TEST_F(ScheduleFixture, TheBGAircraftWaitsAtMinus320ThenMinus300UntilTheWaitExceeds39) {
  BGFlying(true, 804);
  s().BGPlaneHeight = 123;
  Frame();  // 806: leaves
  ASSERT_EQ(s().BGPlaneState, 1);
  EXPECT_EQ(X(kBG), -320);
  Log frame = Frame();  // drawn at -320, then moved to -300
  EXPECT_EQ(Log(frame.begin(), frame.begin() + 3),
            (Log{"DrawSprite(1)", "SetSpriteX(1, -300)", "SetSpriteY(1, 123)"}));
  EXPECT_EQ(X(kBG), -300);

  h.platform.randoms = {0.5};
  for (int wait = 0; wait <= 39; ++wait) {
    s().BGPlaneWait = static_cast<int16_t>(wait);
    Frame();
    EXPECT_EQ(s().BGPlaneState, 1) << wait;
    EXPECT_EQ(X(kBG), -300);
  }
  s().BGPlaneWait = 40;
  Frame();
  EXPECT_EQ(s().BGPlaneState, 0);
  EXPECT_EQ(s().BGPlaneHeight, 250);
  EXPECT_EQ(Y(kBG), 123) << "this crossing keeps the old height";
  frame = Frame();
  EXPECT_EQ(Count(frame, "GetSpriteX(1)"), 1) << "flying again from -300";
  EXPECT_GT(X(kBG), -300);

  // The next leave and wait use the new height.
  BGFlying(true, 804);
  frame = Frame();
  EXPECT_EQ(Count(frame, "SetSpriteY(1, 250)"), 1);
}

TEST_F(ScheduleFixture, TheEngineIsAskedForInLevelFramesBeyondMinus250Only) {
  BGFlying(true, -252);
  h.sound.calls.clear();
  Frame();  // reads -250
  EXPECT_TRUE(h.sound.calls.empty());
  Frame();  // reads -248
  EXPECT_EQ(h.sound.calls, (Log{"SetSoundVolume(7, -748)", "PlaySound(7, -1, -1)"}));

  h.sound.calls.clear();
  BGFlying(false, 0);  // a slanting frame on screen
  Frame();
  EXPECT_TRUE(h.sound.calls.empty());
  Frame();  // level again
  EXPECT_EQ(h.sound.calls.size(), 2u);

  h.sound.calls.clear();
  s().EngineSoundOn = TextOrNumber::Number(0);
  BGFlying(true, 0);
  for (int i = 0; i < 20; ++i) Frame();
  EXPECT_TRUE(h.sound.calls.empty());

  s().BGPlaneState = 1;  // waiting: never
  s().EngineSoundOn = TextOrNumber::Text("1");
  for (int i = 0; i < 20; ++i) Frame();
  EXPECT_TRUE(h.sound.calls.empty());
}

TEST_F(ScheduleFixture, TheEngineVolumeIsTheVolumeSetting) {
  ScheduleScene f({{std::string("Volume"), std::string("-1234")}});
  f.BGFlying(true, 0);
  f.Frame();
  EXPECT_EQ(f.h.sound.calls.at(0), "SetSoundVolume(7, -1234)");
}

TEST_F(ScheduleFixture, AHundredMillisecondIntervalWithTenMillisecondFrames) {
  s().MoveInterval = 100;
  int steps = 0;
  std::string legs;
  for (int frame = 1; frame <= 100; ++frame) {
    steps += Count(Frame(10), "MoveSpriteX(2,");
    legs += s().PlaneLevel[1] ? 'L' : 's';
  }
  EXPECT_EQ(steps, 10);
  EXPECT_EQ(legs.substr(0, 28), "sss" + std::string(20, 'L') + "ssssL");
}

TEST_F(ScheduleFixture, TheBGAircraftsTwoStampsAreSeparate) {
  s().MoveInterval = 100;
  for (int frame = 1; frame <= 26; ++frame) Frame(10);
  // Frame 1 slanting (one step); frames 2 to 26 level, stepping at 2, 12 and 22.
  EXPECT_EQ(std::make_pair(X(kBG), Y(kBG)), std::make_pair(-320 + 2 + 6, 76));
  Frame(10);  // frame 27, slanting: its own stamp is 260 ms old
  EXPECT_EQ(std::make_pair(X(kBG), Y(kBG)), std::make_pair(-310, 77));
}

TEST_F(ScheduleFixture, TheTickCountsWrapDoesNotStopAnyAircraft) {
  ScheduleScene f({}, 0xFFFFFFFFu - 40);
  int steps = 0;
  for (int frame = 0; frame < 10; ++frame) steps += Count(f.Frame(16), "MoveSpriteX(2,");
  EXPECT_LT(f.h.platform.tick, 1000u) << "the clock wrapped";
  EXPECT_EQ(steps, 10);
}

TEST(StepRule, TheDifferenceIsTakenModuloTwoToTheThirtyTwo) {
  EXPECT_TRUE(StepIsDue(1003, 1000, 3));
  EXPECT_FALSE(StepIsDue(1002, 1000, 3));
  EXPECT_TRUE(StepIsDue(5, 0xFFFFFFFBu, 10));   // 10 ms across the wrap
  EXPECT_FALSE(StepIsDue(4, 0xFFFFFFFBu, 10));  // 9 ms
  EXPECT_TRUE(StepIsDue(0x80000001u, 0x7FFFFFFFu, 2));  // across the sign change
  EXPECT_TRUE(StepIsDue(7, 7, 0));
  EXPECT_TRUE(StepIsDue(7, 7, -5));
  EXPECT_FALSE(StepIsDue(7, 7, 0.5));
}

TEST_F(ScheduleFixture, AnIntervalOfZeroOrLessStepsEveryFrameEvenWithAStandingClock) {
  for (double interval : {0.0, -20.0}) {
    s().MoveInterval = interval;
    int steps = 0;
    for (int frame = 0; frame < 10; ++frame) steps += Count(Frame(0), "MoveSpriteX(2,");
    EXPECT_EQ(steps, 10) << interval;
  }
}

}  // namespace
}  // namespace skyvault::testing
