#pragma once
#include <cstdint>
#include <string_view>

#include "display/display_context.h"

namespace skyvault {

// The volume of a first run, used as well when "Volume" holds no 16-bit number.
inline constexpr int16_t kFirstRunVolume = -748;
// The clock size of a first run, used as well when "FontClock" holds no
// positive size (an emptied box, letters, 0, a fraction below one half).
inline constexpr int16_t kFirstRunClockFont = 16;
// Larger sizes draw at this one.
inline constexpr int16_t kLargestClockFont = 600;
// The speed of a first run, used as well when "Speed" is no finite number or
// asks for more than a minute between two steps: such a value would freeze
// every aircraft for good.
inline constexpr double kFirstRunMoveInterval = 3;
inline constexpr double kLongestMoveInterval = 60000;

// "Volume" as a 16-bit integer; a text that is no such number reads as the
// first-run volume, so a damaged setting never ends the saver.
int16_t VolumeLevelFrom(std::string_view text);

// "FontClock" by its number value rounded to a whole size: a size that is
// not positive draws at the first-run size, one above the largest at the
// largest.
int16_t ClockFontSizeFrom(std::string_view text);

// "Speed" by its number value: the least milliseconds between two steps of
// one aircraft (0 and below: a step every frame).
double MoveIntervalFrom(std::string_view text);

// The settings the load sequence reads into the state record, in its order:
// BackGround, Prop, Message, Speed, MessageChecked, LogoChecked, FontName,
// MouseSens, Clock, FontClock, System/SoundOff, Volume.
void ReadLoadSettings(DisplayContext& context);

}  // namespace skyvault
