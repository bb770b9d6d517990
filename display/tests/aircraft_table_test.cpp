// The aircraft table: the properties the schedule relies on, over every row.
#include "display/aircraft_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace skyvault {
namespace {

TEST(AircraftTable, TheRelayIsOneCycleThroughAllFifteen) {
  std::set<int> seen;
  int n = 1;
  do {
    ASSERT_TRUE(n >= 1 && n <= 15) << n;
    ASSERT_TRUE(seen.insert(n).second) << "aircraft " << n << " comes round twice";
    n = RelayAircraft(n).launches;
  } while (n != 1);
  EXPECT_EQ(seen.size(), 15u);
  EXPECT_EQ(Bomber().launches, 0);
}

// Each starts and is put back off screen on its side, leaves and launches past the other.
TEST(AircraftTable, EveryAircraftCrossesFromItsStartSideToTheOther) {
  for (const AircraftRow& a : kAircraft) {
    SCOPED_TRACE("aircraft " + std::to_string(a.number));
    const bool leftwards = a.horizontalStep < 0;
    EXPECT_EQ(std::abs(a.horizontalStep), a.number == kBomber ? 2 : 1);
    EXPECT_EQ(std::abs(a.verticalStep), 1);
    for (int32_t x : {a.startX, a.putBackX}) {
      if (leftwards) {
        EXPECT_GE(x, 800) << "starts or is put back on screen";
      } else {
        EXPECT_LT(x, 0) << "starts or is put back on screen";
      }
    }
    const XTest& leave = a.leaveTest;
    EXPECT_EQ(leave.kind, leftwards ? XTest::Kind::Below : XTest::Kind::Above);
    EXPECT_TRUE(leftwards ? leave.limit < 0 : leave.limit >= 800) << "leaves on screen";
    EXPECT_FALSE(leave.PassedBy(a.startX)) << "leaves where it starts";
    if (a.number == kBomber) continue;
    EXPECT_TRUE(a.launchTest.PassedBy(leave.limit + a.horizontalStep)) << "leaves unlaunched";
    EXPECT_FALSE(a.launchTest.PassedBy(a.startX)) << "launches from its start";
    EXPECT_TRUE(a.slantLegFrames >= 1 && a.levelLegFrames >= 1 && a.levelLegFrames <= 1000);
  }
}

}  // namespace
}  // namespace skyvault
