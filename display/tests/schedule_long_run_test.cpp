// Two days of frames at 60 a second on a test clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "display/aircraft_table.h"
#include "display/tests/display_harness.h"

namespace skyvault::testing {
namespace {

TEST(ScheduleLongRun, FortyEightHoursAtSixtyFramesASecondKeepEveryAircraftFlying) {
  constexpr long long kFramesPerHour = 3600 * 60, kHours = 48;
  Harness h;
  h.Quiet();
  h.platform.tick = 0xFFFFFFFFu - 24u * 3600u * 1000u;  // the tick count wraps a day in
  uint32_t seed = 12345;
  for (int i = 0; i < 1009; ++i) {
    seed = seed * 1103515245u + 12345u;
    h.platform.randoms.push_back((seed >> 8) / 16777216.0);
  }
  h.LoadWith();
  const DisplayState& s = h.state();
  std::array<int, kAircraftCount> crossings{};
  auto wasEnabled = s.planeEnabled;
  int16_t bomberWasState = s.bomberState;
  long long bomberLeftAt = -1, framesWithoutRelay = 0, pauses = 0;
  double shortestPause = 1e9, longestPause = 0;
  int16_t longestLeg = 0;
  for (long long frame = 1; frame <= kHours * kFramesPerHour; ++frame) {
    h.Frame(frame % 3 == 0 ? 16 : 17);  // 50 ms every three frames
    if (frame % 60 == 0) {
      h.platform.AdvanceSeconds(1);
      h.form.OnSoundTimer();
      h.form.OnPauseTimer();
    }
    bool anyFlying = false;
    for (int n = 1; n <= kRelayAircraft; ++n) {
      anyFlying = anyFlying || s.planeEnabled[n];
      crossings[n] += wasEnabled[n] && !s.planeEnabled[n];
      longestLeg = std::max({longestLeg, s.planeLegFrames[n], s.bomberLegFrames});
    }
    wasEnabled = s.planeEnabled;
    framesWithoutRelay += !anyFlying;
    if (bomberWasState == 0 && s.bomberState == 1) ++crossings[kBomber], bomberLeftAt = frame;
    if (bomberWasState == 1 && s.bomberState == 0 && bomberLeftAt >= 0) {
      const double pause = static_cast<double>(frame - bomberLeftAt) / 60;
      shortestPause = std::min(shortestPause, pause);
      longestPause = std::max(longestPause, pause);
      ++pauses;
    }
    bomberWasState = s.bomberState;
    if (frame % kFramesPerHour == 0) {
      for (int a = 0; a < kAircraftCount; ++a)
        EXPECT_GT(crossings[a], 0)
            << "aircraft " << a << " did not cross in hour " << frame / kFramesPerHour;
      crossings.fill(0);
    }
  }
  EXPECT_EQ(h.drawing.frames, kHours * kFramesPerHour);
  EXPECT_EQ(framesWithoutRelay, 0) << "the relay died out";
  EXPECT_LE(longestLeg, 1000) << "a 16-bit counter ran on";
  EXPECT_GT(pauses, 48 * 30);
  EXPECT_GE(shortestPause, 39.0);
  EXPECT_LE(longestPause, 41.0);
  EXPECT_LT(h.platform.tick, 0x80000000u) << "the tick count wrapped during the run";
}

}  // namespace
}  // namespace skyvault::testing
