// The aircraft table: its numbers once against a hand-written copy, then
// the properties the schedule relies on.
#include "display/aircraft_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace skyvault {
namespace {

// The one hand-written copy of the table: any edit of a number fails here.
TEST(AircraftTable, HoldsEveryAircraftsFixedNumbers) {
  struct Row {
    const char* bitmap;
    int startX, startY, dx, dy, slantLeg, levelLeg;
    const char* leave;
    int putBackX, putBackY;  // -1: the aircraft's height field
    int launches;
    const char* launch;
  };
  const Row rows[kAircraftCount] = {
      {"Plane24.bmp", -320, 75, 2, 1, 1, 25, "> 805", -320, -1, 0, "> 0"},
      {"Plane03.bmp", 805, 180, -1, -1, 4, 20, "< -350", 805, 180, 2, "< 100"},
      {"Plane04.bmp", 805, 200, -1, -1, 1, 8, "< -325", 805, -1, 3, "< 100"},
      {"Plane06.bmp", -251, 180, 1, -1, 4, 40, "> 801", -326, -1, 4, "> 700"},
      {"Plane02.bmp", -292, 100, 1, 1, 1, 16, "> 805", -300, -1, 5, "> 700"},
      {"Plane05.bmp", -276, 500, 1, 1, 1, 10, "> 801", -326, -1, 6, "> 700"},
      {"Plane07.bmp", 805, 300, -1, -1, 1, 2, "< -326", 805, -1, 7, "< 100"},
      {"Plane08.bmp", -266, 175, 1, -1, 4, 40, "> 801", -343, -1, 8, "> 801"},
      {"Plane01.bmp", 805, 70, -1, -1, 1, 17, "< -366", 805, -1, 9, "< 100"},
      {"Plane11.bmp", 805, 290, -1, 1, 10, 1000, "< -350", 805, -1, 10, "< 100"},
      {"Plane16.bmp", -276, 330, 1, 1, 2, 1000, "> 801", -350, -1, 11, "> 700"},
      {"Plane14.bmp", -271, 80, 1, -1, 2, 8, "> 805", -351, -1, 12, "> 700"},
      {"Plane17.bmp", 805, 370, -1, 1, 1, 18, "< -351", 805, -1, 13, "< 100"},
      {"Plane25.bmp", 805, 120, -1, 1, 9, 1000, "< -350", 805, -1, 14, "< 100"},
      {"Plane23.bmp", -272, 250, 1, -1, 3, 10, "> 805", -350, -1, 15, "> 700"},
      {"Plane21.bmp", -279, 365, 1, 1, 5, 30, "> 805", -340, -1, 1, "> 700"},
  };
  auto text = [](const XTest& test) {
    return (test.kind == XTest::Kind::Below ? "< " : "> ") + std::to_string(test.limit);
  };
  for (int n = 0; n < kAircraftCount; ++n) {
    const AircraftRow& a = kAircraft[n];
    const Row& r = rows[n];
    SCOPED_TRACE("aircraft " + std::to_string(n));
    EXPECT_EQ(a.number, n);
    EXPECT_STREQ(a.bitmap, r.bitmap);
    EXPECT_EQ(std::tuple(a.startX, a.startY, a.horizontalStep, a.verticalStep),
              std::tuple(r.startX, r.startY, r.dx, r.dy));
    EXPECT_EQ((std::pair<int, int>(a.slantLegFrames, a.levelLegFrames)),
              std::pair(r.slantLeg, r.levelLeg));
    EXPECT_EQ(text(a.leaveTest), r.leave);
    EXPECT_EQ(std::pair(a.putBackX, a.putBackY.value_or(-1)), std::pair(r.putBackX, r.putBackY));
    EXPECT_EQ(a.launches, r.launches);
    if (n > 0) {
      EXPECT_EQ(text(a.launchTest), r.launch);
    }
  }
}

TEST(AircraftTable, EachAircraftHasAPictureOfItsOwn) {
  std::set<std::string> names;
  for (const AircraftRow& a : kAircraft) names.insert(a.bitmap);
  EXPECT_EQ(names.size(), size_t{kAircraftCount}) << "two aircraft share a picture";
}

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

// Each aircraft flies from its start side to the far side: it starts and is
// put back off the screen on the side it comes from, leaves beyond the other
// edge by a strict test in its direction of flight, and launches the next
// one no later than it leaves.
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
    EXPECT_FALSE(leave.PassedBy(leave.limit)) << "not strict";
    EXPECT_TRUE(leave.PassedBy(leave.limit + a.horizontalStep));
    EXPECT_FALSE(leave.PassedBy(a.startX)) << "leaves where it starts";
    if (a.number == kBomber) continue;
    EXPECT_EQ(a.launchTest.kind, leave.kind);
    EXPECT_FALSE(a.launchTest.PassedBy(a.launchTest.limit)) << "not strict";
    EXPECT_TRUE(a.launchTest.PassedBy(leave.limit + a.horizontalStep)) << "leaves unlaunched";
    EXPECT_FALSE(a.launchTest.PassedBy(a.startX)) << "launches from its start";
    EXPECT_TRUE(a.slantLegFrames >= 1 && a.levelLegFrames >= 1 && a.levelLegFrames <= 1000);
  }
}

}  // namespace
}  // namespace skyvault
