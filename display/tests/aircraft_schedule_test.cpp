// The thirty-two step procedures and the aircraft schedule, frame by frame.
#include <gtest/gtest.h>

#include "display/aircraft_flight.h"
#include "display/aircraft_schedule.h"
#include "display/aircraft_table.h"
#include "display/tests/display_harness.h"

namespace skyvault::testing {
namespace {

// Black, nothing else: ClearFrame, the schedule's calls, ShowFrame (aircraft N is sprite N + 1).
struct Scene : Harness {
  explicit Scene(uint32_t startTick = 100000) {
    platform.tick = startTick;
    LoadWith({{"BackGround", "1"}, {"Clock", "0"}});
  }
  // The schedule's drawing calls in one frame `ms` after the last.
  Log Step(uint32_t ms = 16) {
    const Log calls = Drawn(ms);
    EXPECT_EQ(calls.front(), "ClearFrame(0)");
    EXPECT_EQ(calls.back(), "ShowFrame()");
    return Log(calls.begin() + 1, calls.end() - 1);
  }
  // Only aircraft `n` of the relay flying, level, at x.
  void Only(int n, int x) {
    for (int k = 1; k <= 15; ++k) state().planeEnabled[k] = k == n;
    state().planeLevel[n] = true, state().planeLegFrames[n] = 0, drawing.sprites[n + 1].x = x;
  }
  // Only aircraft `n` flying from x, one frame; whether it is still flying and `other` is.
  std::pair<bool, bool> FlyingAfter(int n, int x, int other) {
    Only(n, x);
    Step();
    return {state().planeEnabled[n], state().planeEnabled[other]};
  }
  void Bomber(bool level, int x) {
    state().bomberState = 0, state().bomberLevel = level, state().bomberLegFrames = 0,
    drawing.sprites[1].x = x;
  }
};

// The calls from `line` on, at most `count` of them.
Log From(const Log& calls, const std::string& line, size_t count = 99) {
  const auto at = std::find(calls.begin(), calls.end(), line);
  return Log(
      at, at + static_cast<long>(std::min<size_t>(count, static_cast<size_t>(calls.end() - at))));
}

// Each aircraft's two legs move its own sprite by its row's steps.
TEST(AircraftFlight, LevelStepsMoveAcrossSlantingStepsVerticallyFirst) {
  Harness h;
  h.LoadWith();
  for (const AircraftRow& row : kAircraft) {
    const std::string sprite = std::to_string(SpriteOf(h.state(), row.number)) + ", ",
                      dx = std::to_string(row.horizontalStep);
    TakeStep(h.drawing, h.state(), row, Leg::Level);
    TakeStep(h.drawing, h.state(), row, Leg::Slanting);
    EXPECT_EQ(h.Take(), (Log{"MoveSpriteX(" + sprite + dx + ")",
                             "MoveSpriteY(" + sprite + std::to_string(row.verticalStep) + ")",
                             "MoveSpriteX(" + sprite + dx + ")"}))
        << "aircraft " << row.number;
  }
}

TEST(Schedule, TheFirstFrameMovesTheBomberAndAircraftOneOnly) {
  Scene f;
  EXPECT_EQ(f.Step(),
            (Log{"DrawSprite(1)", "MoveSpriteY(1, 1)", "MoveSpriteX(1, 2)", "GetSpriteX(1) = -318",
                 "DrawSprite(2)", "MoveSpriteY(2, -1)", "MoveSpriteX(2, -1)"}));
}

TEST(Schedule, LegsAreCountedInFramesWhetherOrNotTheAircraftStepped) {
  for (int n = 0; n <= 15; ++n) {
    const int slantLeg = kAircraft[n].slantLegFrames, levelLeg = kAircraft[n].levelLegFrames;
    for (double interval : {1e12, 0.0}) {               // never a step, or one every frame
      if (interval == 0 && levelLeg == 1000) continue;  // would leave first
      Scene f;
      f.state().moveInterval = interval;
      if (n > 0) {
        f.Only(n, n == 1 ? 805 : f.X(n + 1));
        f.state().planeLevel[n] = false;
      }
      std::vector<int> runs;
      bool level = false;
      for (int run = 1; runs.size() < 3; ++run) {
        f.Frame();
        const bool now = n == 0 ? f.state().bomberLevel : f.state().planeLevel[n];
        if (now != level) runs.push_back(run), run = 0, level = now;
      }
      EXPECT_EQ(runs, (std::vector<int>{slantLeg, levelLeg, slantLeg})) << n << " " << interval;
    }
  }
}

TEST(Schedule, ALaunchedAircraftFliesInItsLaunchFrameAircraftOneInTheNext) {
  Scene f;
  f.Only(1, 101);
  f.Step();  // reads 100: not below 100
  EXPECT_FALSE(f.state().planeEnabled[2]);
  EXPECT_EQ(
      From(f.Step(), "GetSpriteX(2) = 99"),
      (Log{"GetSpriteX(2) = 99", "DrawSprite(3)", "MoveSpriteY(3, -1)", "MoveSpriteX(3, -1)"}));
  f.Only(15, 700);
  EXPECT_EQ(Count(f.Step(), "DrawSprite(2)"), 0);  // 15 launches 1, which comes after it next frame
  EXPECT_TRUE(f.state().planeEnabled[1]);
  EXPECT_EQ(f.Step().at(3), "DrawSprite(2)");
}

// Each relay aircraft at the edges of its tests: strict, on the x read, put back by its row.
TEST(Schedule, EveryRelayAircraftLeavesIsPutBackAndLaunchesByItsOwnRow) {
  for (int n = 1; n <= 15; ++n) {
    const AircraftRow& row = RelayAircraft(n);
    const int dx = row.horizontalStep, leaveFrom = row.leaveTest.limit,
              launchFrom = row.launchTest.limit;
    Scene f;
    f.platform.randoms = {0.25};
    EXPECT_FALSE(f.FlyingAfter(n, launchFrom - dx, row.launches).second) << n << ": not strict";
    EXPECT_TRUE(f.FlyingAfter(n, launchFrom, row.launches).second) << n;
    EXPECT_EQ(f.FlyingAfter(n, leaveFrom - dx, row.launches),
              std::pair(true, row.launchTest.PassedBy(leaveFrom)))
        << n << " left a pixel early, or launched by another x than it read";
    f.Only(n, leaveFrom);
    const Log calls = f.Step();
    EXPECT_EQ(std::pair(f.state().planeEnabled[n], f.state().planeEnabled[row.launches]),
              std::pair(false, true))
        << n << ": stayed, or did not launch with the x read as it left";
    const int y = row.putBackY.value_or(125);  // else a fresh random height, 0.25 x 500
    const std::string sprite = std::to_string(n + 1), read = std::to_string(leaveFrom + dx);
    EXPECT_EQ(From(calls, "GetSpriteX(" + sprite + ") = " + read, 3),
              (Log{"GetSpriteX(" + sprite + ") = " + read,
                   "SetSpriteX(" + sprite + ", " + std::to_string(row.putBackX) + ")",
                   "SetSpriteY(" + sprite + ", " + std::to_string(y) + ")"}))
        << n;
  }
  // Aircraft 7 alone launches only in the frame it leaves.
  EXPECT_FALSE(RelayAircraft(7).launchTest.PassedBy(RelayAircraft(7).leaveTest.limit));
}

TEST(Schedule, TheBomberLeavesEvenInASlantingFrameWaitsAndFliesAgainAfterForty) {
  Scene f;
  f.Bomber(false, 804);
  f.state().bomberHeight = 123, f.state().bomberWaitTicks = 17;
  Log calls = f.Step();
  EXPECT_EQ(Log(calls.begin(), calls.begin() + 7),
            (Log{"DrawSprite(1)", "MoveSpriteY(1, 1)", "MoveSpriteX(1, 2)", "GetSpriteX(1) = 806",
                 "SetSpriteX(1, -320)", "SetSpriteY(1, 123)", "DrawSprite(2)"}));
  EXPECT_EQ(f.state().bomberWaitTicks, 0);
  calls = f.Step();  // drawn at -320, then moved to -300
  EXPECT_EQ(Log(calls.begin(), calls.begin() + 4),
            (Log{"DrawSprite(1)", "SetSpriteX(1, -300)", "SetSpriteY(1, 123)", "DrawSprite(2)"}));
  f.platform.randoms = {0.5};
  for (int16_t wait = 0; wait <= 39; ++wait) f.state().bomberWaitTicks = wait, f.Step();
  EXPECT_EQ(f.state().bomberState, 1) << "still waiting at 39";
  f.state().bomberWaitTicks = 40, f.Step();
  EXPECT_EQ(std::pair(f.state().bomberState, f.Y(1)), std::pair(int16_t{0}, 123))
      << "not flying, or not at the old height for this crossing";
  EXPECT_EQ(Count(f.Step(), "GetSpriteX(1) = -29"), 1) << "flying again from -300";
  f.Bomber(true, 804);
  EXPECT_EQ(Count(f.Step(), "SetSpriteY(1, 250)"), 1) << "the next leave uses the new height";
}

TEST(Schedule, TheEngineIsAskedForInLevelFramesBeyondMinus250Only) {
  Scene f;
  const auto plays = [&](int frames) {
    f.Frames(frames);
    return Count(f.Take(), "PlaySound");
  };
  f.Bomber(true, -252);
  EXPECT_EQ(plays(1), 0) << "at -250";
  f.Frame();
  EXPECT_EQ(From(f.Take(), "SetSoundVolume(7, -748)", 2),
            (Log{"SetSoundVolume(7, -748)", "PlaySound(7, -1, -1)"}))
      << "at -248";
  f.Bomber(false, 0);
  EXPECT_EQ(plays(1), 0) << "slanting";
  EXPECT_EQ(plays(1), 1) << "level";
  f.state().bomberState = 1;  // waiting
  EXPECT_EQ(plays(5), 0);
}

TEST(Schedule, AHundredMillisecondIntervalWithTenMillisecondFrames) {
  Scene f;
  f.state().moveInterval = 100;
  int steps = 0;
  std::string legs;
  for (int frame = 1; frame <= 100; ++frame) {
    steps += Count(f.Step(10), "MoveSpriteX(2,");
    legs += f.state().planeLevel[1] ? 'L' : 's';
  }
  EXPECT_EQ(steps, 10);
  EXPECT_EQ(legs.substr(0, 28), "sss" + std::string(20, 'L') + "ssssL");
  // The bomber's slanting frames (1, 27, 53, 79) step on their own stamp: 4 slanting, 10 level.
  EXPECT_EQ(std::make_pair(f.X(1), f.Y(1)), std::make_pair(-320 + 2 * 14, 75 + 4));
}

TEST(Schedule, AStepIsDueAcrossTheTickCountsWrap) {
  EXPECT_TRUE(StepIsDue(5, 0xFFFFFFFBu, 10));
  EXPECT_FALSE(StepIsDue(4, 0xFFFFFFFBu, 10));
  EXPECT_TRUE(StepIsDue(0x80000001u, 0x7FFFFFFFu, 2));
}

}  // namespace
}  // namespace skyvault::testing
