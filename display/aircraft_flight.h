#pragma once
#include <cstdint>
#include <string_view>

#include "controls/drawing_control.h"
#include "display/aircraft_table.h"
#include "display/display_state.h"

namespace skyvault {

enum class Leg { Slanting, Level };

// One step of an aircraft's step procedure: the level procedure moves the
// sprite by the horizontal step alone; the slanting procedure first by the
// vertical step, then by the horizontal step. Nothing is read back.
void TakeStep(DrawingControl& drawing, const DisplayState& state, const AircraftRow& row, Leg leg);

// An aircraft and leg by the step procedure's name ("MovePlane4b").
struct StepProcedure {
  const AircraftRow* row = nullptr;
  Leg leg = Leg::Level;
};
// Nothing found: row stays null.
StepProcedure FindStepProcedure(std::string_view name);

const char* StepProcedureName(const AircraftRow& row, Leg leg);

}  // namespace skyvault
