#include "display/aircraft_flight.h"

namespace skyvault {

void TakeStep(DrawingControl& drawing, const DisplayState& state, const AircraftRow& row, Leg leg) {
  const int32_t sprite = SpriteOf(state, row.number);
  if (leg == Leg::Slanting) drawing.MoveSpriteY(sprite, row.verticalStep);
  drawing.MoveSpriteX(sprite, row.horizontalStep);
}

StepProcedure FindStepProcedure(std::string_view name) {
  for (const AircraftRow& row : kAircraft) {
    if (name == row.levelProcedure) return {&row, Leg::Level};
    if (name == row.slantProcedure) return {&row, Leg::Slanting};
  }
  return {};
}

const char* StepProcedureName(const AircraftRow& row, Leg leg) {
  return leg == Leg::Level ? row.levelProcedure : row.slantProcedure;
}

}  // namespace skyvault
