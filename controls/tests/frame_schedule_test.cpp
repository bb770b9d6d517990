#include "controls/frame_schedule.h"

#include <gtest/gtest.h>

namespace skyvault {
namespace {

constexpr int64_t kTicks = 10'000'000;  // a 100 ns clock
constexpr int64_t kPeriod = 166666;

TEST(FrameSchedule, FramesKeepToTheirGridCatchUpALittleAndRestartAfterAStall) {
  FrameSchedule schedule(kTicks, 60, 1000);
  EXPECT_EQ(std::pair(schedule.Due(1000 + kPeriod - 1), schedule.Due(1000 + kPeriod)),
            std::pair(false, true));
  for (int frame = 1; frame <= 600; ++frame) schedule.FrameDone(schedule.NextDue() + 20000);
  EXPECT_EQ(schedule.NextDue(), 1000 + 10 * kTicks + kPeriod);

  FrameSchedule late(kTicks, 60, 0);
  late.FrameDone(3 * kPeriod);  // two periods late: the missed frames are due at once
  EXPECT_EQ(late.NextDue(), 333333);
  late.FrameDone(500000);
  EXPECT_EQ(late.NextDue(), 500000);
  late.FrameDone(5 * kTicks);  // a long stall: a new grid, not a burst
  EXPECT_EQ(late.NextDue(), 5 * kTicks + kPeriod);

  FrameSchedule odd(3'579'545, 60, 0);  // a clock rate that 60 does not divide
  for (int i = 0; i < 60 * 3600; ++i) odd.FrameDone(odd.NextDue());
  EXPECT_EQ(odd.NextDue(), 3600LL * 3'579'545 + 3'579'545 / 60);
}

TEST(FrameSchedule, AFrameThatStartsWellLateKeepsAWholePeriodToTheNext) {
  FrameSchedule schedule(kTicks, 60, 0);
  schedule.FrameStarted(kPeriod + kPeriod / 4);  // a quarter period late: still on the grid
  schedule.FrameDone(kPeriod + kPeriod / 4 + 100);
  EXPECT_EQ(schedule.NextDue(), 2 * kPeriod + 1);
  const int64_t late = schedule.NextDue() + kPeriod / 2;  // half a period late
  schedule.FrameStarted(late);
  schedule.FrameDone(late + 100);
  EXPECT_EQ(schedule.NextDue(), late + kPeriod);
}

TEST(PointerMoveFilter, FirstPositionAndRepeatsAreNoMoves) {
  PointerMoveFilter filter;
  const std::tuple<int, int, bool> steps[] = {{100, 100, false}, {100, 100, false},
                                              {101, 100, true},  {101, 100, false},
                                              {101, 99, true},   {-5, 99, true}};
  for (auto [x, y, moved] : steps) EXPECT_EQ(filter.Moved(x, y), moved) << x << "," << y;
  filter.Reset();
  EXPECT_FALSE(filter.Moved(0, 0));

  // Where reports come only from moves (X11), the first one is a move too.
  PointerMoveFilter moves(PointerMoveFilter::FirstReport::Moves);
  EXPECT_TRUE(moves.Moved(100, 100));
  EXPECT_FALSE(moves.Moved(100, 100));
  EXPECT_TRUE(moves.Moved(100, 101));
}

}  // namespace
}  // namespace skyvault
