#pragma once
#include <cstdint>

#include "display/display_context.h"

namespace skyvault {

// Where the bomber waits between crossings, and how long.
inline constexpr int32_t kBomberWaitX = -300;
// The last pause-timer count at which the bomber still waits: it flies again
// once `bomberWaitTicks` exceeds it.
inline constexpr int16_t kBomberLastWaitingTick = 39;
// The engine sound is asked for while the bomber flies level beyond this x.
inline constexpr int32_t kEngineSoundFromX = -250;
// Heights drawn for the bomber and for aircraft 2 to 15: 0 to 499.
inline constexpr double kHeightRange = 500;

// One frame of the aircraft schedule: the bomber, then aircraft 1 to 15
// in number order. Draws every aircraft in the air, steps it when its
// interval has passed, retires it at the far edge, launches the next one and
// asks for the engine sound.
void RunScheduleFrame(DisplayContext& context);

// True when at least `interval` milliseconds lie between `stamp` and `now`.
// The difference is taken modulo 2^32, so the tick count's wrap after about
// 49.7 days costs one ordinary interval, never a frozen aircraft.
bool StepIsDue(uint32_t now, uint32_t stamp, double interval);

}  // namespace skyvault
