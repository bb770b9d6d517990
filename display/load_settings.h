#pragma once
#include <cstdint>
#include <string_view>

#include "display/display_context.h"

namespace skyvault {

// The volume of a first run, used as well when "Volume" holds no 16-bit number.
inline constexpr int16_t kFirstRunVolume = -748;
// The clock is drawn in a size from this range, whatever "FontClock" holds.
inline constexpr int16_t kSmallestClockFont = 1;
inline constexpr int16_t kLargestClockFont = 200;

// "Volume" as a 16-bit integer; a text that is no such number reads as the
// first-run volume, so a damaged setting never ends the saver.
int16_t VolumeLevelFrom(std::string_view text);

// "FontClock" by its number value rounded to a whole size, kept within the
// drawable range.
int16_t ClockFontSizeFrom(std::string_view text);

// The settings the load sequence reads into the state record, in its order:
// BackGround, Prop, Message, Speed, MessageChecked, LogoChecked, FontName,
// MouseSens, Clock, FontClock, System/SoundOff, Volume.
void ReadLoadSettings(DisplayContext& context);

}  // namespace skyvault
