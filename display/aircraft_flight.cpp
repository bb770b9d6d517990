#include "display/aircraft_flight.h"

namespace skyvault {

void TakeStep(DrawingControl& drawing, const DisplayState& state, const AircraftRow& row, Leg leg) {
  const int32_t sprite = SpriteOf(state, row.number);
  if (leg == Leg::Slanting) drawing.MoveSpriteY(sprite, row.verticalStep);
  drawing.MoveSpriteX(sprite, row.horizontalStep);
}

}  // namespace skyvault
