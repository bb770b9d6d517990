#pragma once
#include <cstdint>

#include "controls/drawing_control.h"
#include "display/display_context.h"

namespace skyvault {

inline constexpr int32_t kBlack = Rgb(0, 0, 0);
inline constexpr int32_t kSkyBlue = Rgb(0, 226, 251);
inline constexpr int32_t kMessageColour = Rgb(0, 255, 255);
inline constexpr int32_t kClockColour = Rgb(255, 255, 0);
inline constexpr int32_t kMessageFontSize = 24;
inline constexpr int32_t kMessageX = 5;
inline constexpr int32_t kMessageY = 575;
inline constexpr const char* kClockFont = "Arial";

// One frame, in drawing order: background by `backgroundMode` (1 black,
// 2 sky blue, 3 the user's picture, anything else black); the message
// settings read again from the store; the message; the logo; one frame of
// the aircraft schedule; the clock; and last `ShowFrame`, exactly once.
void ComposeFrame(DisplayContext& context);

}  // namespace skyvault
