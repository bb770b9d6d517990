// Two days of frames at 60 a second on a test clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "display/aircraft_table.h"
#include "display/tests/form1_harness.h"

namespace skyvault::testing {
namespace {

TEST(ScheduleLongRun, FortyEightHoursAtSixtyFramesASecondKeepEveryAircraftFlying) {
  constexpr int kFramesPerSecond = 60;
  constexpr int kHours = 48;
  constexpr int kFramesPerHour = 3600 * kFramesPerSecond;

  Harness h;
  h.Quiet();
  // The tick count wraps a day into the run.
  h.platform.tick = 0xFFFFFFFFu - 24u * 3600u * 1000u;
  h.platform.time = {18, 0, 0, 0};
  uint32_t seed = 12345;
  for (int i = 0; i < 1009; ++i) {
    seed = seed * 1103515245u + 12345u;
    h.platform.randoms.push_back((seed >> 8) / 16777216.0);
  }
  h.LoadWith();
  Form1State& s = h.state();

  std::array<int, kAircraftCount> crossingsThisHour{};
  std::array<bool, kRelayAircraft + 1> wasEnabled = s.PlaneEnabled;
  int16_t bgWasState = s.BGPlaneState;
  long long bgLeftAt = -1;
  double shortestPause = 1e9, longestPause = 0;
  int pauses = 0;
  int framesWithoutRelay = 0;
  int hoursWithAMissingAircraft = 0;
  int outOfBounds = 0;
  int16_t longestLeg = 0, longestBGLeg = 0, largestWait = 0;
  int32_t lowestHeight = 0, highestHeight = 0;

  for (long long frame = 1; frame <= static_cast<long long>(kHours) * kFramesPerHour; ++frame) {
    h.Frame(frame % 3 == 0 ? 16 : 17);  // 50 ms every three frames
    if (frame % kFramesPerSecond == 0) {
      h.platform.AdvanceSeconds(1);
      h.form.OnSoundTimer();
      h.form.OnPauseTimer();
    }

    bool anyFlying = false;
    for (int n = 1; n <= kRelayAircraft; ++n) {
      anyFlying = anyFlying || s.PlaneEnabled[n];
      if (wasEnabled[n] && !s.PlaneEnabled[n]) ++crossingsThisHour[n];
      wasEnabled[n] = s.PlaneEnabled[n];
      longestLeg = std::max(longestLeg, s.PlaneLegFrames[n]);
      lowestHeight = std::min(lowestHeight, s.PlaneHeight[n]);
      highestHeight = std::max(highestHeight, s.PlaneHeight[n]);
    }
    if (!anyFlying) ++framesWithoutRelay;
    if (bgWasState == 0 && s.BGPlaneState == 1) {
      ++crossingsThisHour[kBGAircraft];
      bgLeftAt = frame;
    }
    if (bgWasState == 1 && s.BGPlaneState == 0 && bgLeftAt >= 0) {
      const double pause = static_cast<double>(frame - bgLeftAt) / kFramesPerSecond;
      shortestPause = std::min(shortestPause, pause);
      longestPause = std::max(longestPause, pause);
      ++pauses;
    }
    bgWasState = s.BGPlaneState;
    longestBGLeg = std::max(longestBGLeg, s.BGPlaneLegFrames);
    largestWait = std::max(largestWait, s.BGPlaneWait);
    lowestHeight = std::min(lowestHeight, s.BGPlaneHeight);
    highestHeight = std::max(highestHeight, s.BGPlaneHeight);
    for (const auto& [number, sprite] : h.drawing.sprites) {
      if (sprite.loadCode == -1 && (sprite.x < -400 || sprite.x > 850 || sprite.y < -1100 ||
                                    sprite.y > 1600)) {
        ++outOfBounds;
      }
    }

    if (frame % kFramesPerHour == 0) {
      for (int a = 0; a < kAircraftCount; ++a) {
        if (crossingsThisHour[a] == 0) {
          ++hoursWithAMissingAircraft;
          ADD_FAILURE() << "aircraft " << a << " did not cross in hour " << frame / kFramesPerHour;
        }
      }
      crossingsThisHour.fill(0);
    }
  }

  EXPECT_EQ(h.drawing.frames, kHours * kFramesPerHour);
  EXPECT_EQ(hoursWithAMissingAircraft, 0);
  EXPECT_EQ(framesWithoutRelay, 0) << "the relay died out";
  EXPECT_EQ(outOfBounds, 0);
  EXPECT_LE(longestLeg, 1000);
  EXPECT_GE(longestLeg, 1);
  EXPECT_LE(longestBGLeg, 25);
  EXPECT_LE(largestWait, 40);
  EXPECT_GE(lowestHeight, 0);
  EXPECT_LE(highestHeight, 499);
  EXPECT_GT(highestHeight, 300) << "heights are drawn at random";
  EXPECT_GT(pauses, 48 * 30);
  EXPECT_GE(shortestPause, 39.0);
  EXPECT_LE(longestPause, 41.0);
  EXPECT_GE(s.SoundSeconds, 0);
  EXPECT_EQ(s.MoveCount, 0);
  EXPECT_LT(h.platform.tick, 0x80000000u) << "the tick count wrapped during the run";
}

}  // namespace
}  // namespace skyvault::testing
