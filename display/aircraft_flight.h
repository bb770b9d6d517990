#pragma once
#include <cstdint>

#include "controls/drawing_control.h"
#include "display/aircraft_table.h"
#include "display/display_state.h"

namespace skyvault {

enum class Leg { Slanting, Level };

// One step of an aircraft: on a level leg the sprite moves by the
// horizontal step alone; on a slanting leg first by the vertical step, then
// by the horizontal step. Nothing is read back.
void TakeStep(DrawingControl& drawing, const DisplayState& state, const AircraftRow& row, Leg leg);

}  // namespace skyvault
