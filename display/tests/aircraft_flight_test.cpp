// The thirty-two step procedures.
#include <gtest/gtest.h>

#include <set>

#include "display/aircraft_flight.h"
#include "display/tests/form1_harness.h"

namespace skyvault::testing {
namespace {

struct Steps {
  const char* level;
  int dx;
  int dy;  // of the slanting step
};
// Written out once more here, as the flight plan gives them.
const Steps kSteps[16] = {
    {"MoveBGPlane", 2, 1},  {"MovePlane1", -1, -1},  {"MovePlane2", -1, -1},
    {"MovePlane3", 1, -1},  {"MovePlane4", 1, 1},    {"MovePlane5", 1, 1},
    {"MovePlane6", -1, -1}, {"MovePlane7", 1, -1},   {"MovePlane8", -1, -1},
    {"MovePlane9", -1, 1},  {"MovePlane10", 1, 1},   {"MovePlane11", 1, -1},
    {"MovePlane12", -1, 1}, {"MovePlane13", -1, 1},  {"MovePlane14", 1, -1},
    {"MovePlane15", 1, 1},
};

struct FlightFixture : ::testing::Test {
  FlightFixture() { h.LoadWith(); }
  // Calls a step procedure by name and returns the drawing calls it made.
  Log Call(const std::string& name) {
    const StepProcedure procedure = FindStepProcedure(name);
    EXPECT_NE(procedure.row, nullptr) << name;
    h.drawing.ClearCalls();
    TakeStep(h.drawing, h.state(), *procedure.row, procedure.leg);
    return h.drawing.calls;
  }
  std::pair<int, int> Position(int aircraft) {
    const auto& s = h.sprite(SpriteOf(h.state(), aircraft));
    return {s.x, s.y};
  }
  Harness h;
};

TEST_F(FlightFixture, EveryLevelStepIsOneHorizontalMoveAndEverySlantingStepVerticalFirst) {
  for (int aircraft = 0; aircraft < 16; ++aircraft) {
    const Steps& steps = kSteps[aircraft];
    const std::string sprite = std::to_string(SpriteOf(h.state(), aircraft));
    EXPECT_EQ(Call(steps.level), Log{"MoveSpriteX(" + sprite + ", " + std::to_string(steps.dx) + ")"});
    EXPECT_EQ(Call(std::string(steps.level) + "b"),
              (Log{"MoveSpriteY(" + sprite + ", " + std::to_string(steps.dy) + ")",
                   "MoveSpriteX(" + sprite + ", " + std::to_string(steps.dx) + ")"}));
  }
}

TEST_F(FlightFixture, ThirtyTwoDistinctProcedureNames) {
  std::set<std::string> names;
  for (const AircraftRow& row : kAircraft) {
    names.insert(StepProcedureName(row, Leg::Level));
    names.insert(StepProcedureName(row, Leg::Slanting));
  }
  EXPECT_EQ(names.size(), 32u);
  EXPECT_EQ(FindStepProcedure("MovePlane16").row, nullptr);
  EXPECT_EQ(FindStepProcedure("MovePlane1bb").row, nullptr);
  EXPECT_EQ(FindStepProcedure("MovePlane1").row->number, 1);
  EXPECT_EQ(FindStepProcedure("MovePlane15b").row->number, 15);
  EXPECT_EQ(FindStepProcedure("MovePlane15b").leg, Leg::Slanting);
}

TEST_F(FlightFixture, AircraftFiveLevelThenSlanting) {
  ASSERT_EQ(Position(5), std::make_pair(-276, 500));
  Call("MovePlane5");
  EXPECT_EQ(Position(5), std::make_pair(-275, 500));
  Call("MovePlane5b");
  EXPECT_EQ(Position(5), std::make_pair(-274, 501));
}

TEST_F(FlightFixture, TheBGAircraftSlantsOneDownForTwoAcross) {
  Call("MoveBGPlaneb");
  EXPECT_EQ(Position(0), std::make_pair(-318, 76));
}

TEST_F(FlightFixture, EightHundredAndSixLevelStepsTakeAircraftOneToMinusOne) {
  for (int i = 0; i < 806; ++i) Call("MovePlane1");
  EXPECT_EQ(Position(1), std::make_pair(-1, 180));
}

TEST_F(FlightFixture, ASlantingStepKeepsTheHorizontalStep) {
  Call("MovePlane9");
  EXPECT_EQ(Position(9), std::make_pair(804, 290));
  Call("MovePlane9b");
  EXPECT_EQ(Position(9), std::make_pair(803, 291));
}

TEST_F(FlightFixture, AStepTouchesOnlyItsOwnSprite) {
  Call("MovePlane12b");
  for (int aircraft = 0; aircraft < 16; ++aircraft) {
    if (aircraft == 12) continue;
    const AircraftRow& row = kAircraft[aircraft];
    EXPECT_EQ(Position(aircraft), std::make_pair(row.startX, row.startY)) << aircraft;
  }
  EXPECT_EQ(Position(12), std::make_pair(804, 371));
}

}  // namespace
}  // namespace skyvault::testing
