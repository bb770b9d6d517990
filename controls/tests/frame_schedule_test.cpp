#include "controls/frame_schedule.h"

#include <gtest/gtest.h>

namespace skyvault {
namespace {

constexpr int64_t kTicks = 10'000'000;  // a 100 ns clock

TEST(FrameSchedule, SixtyFramesTakeExactlyOneSecondWithoutDrift) {
  FrameSchedule schedule(kTicks, 60, 1000);
  EXPECT_EQ(schedule.NextDue(), 1000 + 166666);
  EXPECT_FALSE(schedule.Due(1000 + 166665));
  EXPECT_TRUE(schedule.Due(1000 + 166666));
  for (int frame = 1; frame <= 600; ++frame) {
    // Each frame raised a little late: the grid does not move.
    schedule.FrameDone(schedule.NextDue() + 20000);
  }
  EXPECT_EQ(schedule.NextDue(), 1000 + 10 * kTicks + 166666);
}

TEST(FrameSchedule, ASlightlyLateLoopCatchesUpWithoutSkipping) {
  FrameSchedule schedule(kTicks, 60, 0);
  // Raised two periods late: the next two frames are due at once, on the grid.
  schedule.FrameDone(166666 + 2 * 166666);
  EXPECT_EQ(schedule.NextDue(), 333333);
  schedule.FrameDone(500000);
  EXPECT_EQ(schedule.NextDue(), 500000);
}

TEST(FrameSchedule, ALongStallStartsANewGridInsteadOfABurst) {
  FrameSchedule schedule(kTicks, 60, 0);
  const int64_t afterStall = 5 * kTicks;
  schedule.FrameDone(afterStall);
  EXPECT_EQ(schedule.NextDue(), afterStall + 166666);
  schedule.FrameDone(afterStall + 166666);
  EXPECT_EQ(schedule.NextDue(), afterStall + 333333);
}

TEST(FrameSchedule, ClockRatesThatDoNotDivideEvenly) {
  FrameSchedule schedule(3'579'545, 60, 0);
  for (int i = 0; i < 60 * 3600; ++i) schedule.FrameDone(schedule.NextDue());
  // After an hour of frames, exactly an hour of ticks (plus the next frame).
  EXPECT_EQ(schedule.NextDue(), 3600LL * 3'579'545 + 3'579'545 / 60);
}

TEST(PointerMoveFilter, FirstPositionAndRepeatsAreNoMoves) {
  PointerMoveFilter filter;
  EXPECT_FALSE(filter.Moved(100, 100));
  EXPECT_FALSE(filter.Moved(100, 100));
  EXPECT_TRUE(filter.Moved(101, 100));
  EXPECT_FALSE(filter.Moved(101, 100));
  EXPECT_TRUE(filter.Moved(101, 99));
  filter.Reset();
  EXPECT_FALSE(filter.Moved(0, 0));
}

}  // namespace
}  // namespace skyvault
