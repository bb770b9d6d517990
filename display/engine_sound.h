#pragma once
#include <cstdint>
#include <string>

#include "display/display_context.h"

namespace skyvault {

inline constexpr const char* kEngineSoundFile = "Prop.wav";
// The sound timer's count starts again from 0 once it passes this.
inline constexpr int32_t kLastSoundSecond = 86398;

// "Never", compared exactly (case and blanks count).
bool IsNever(const std::string& soundOffSetting);

// Stops what stands for the engine sound so far (the number value of "Prop"
// read at load), loads the engine sound from the data directory, keeps the text of
// "Prop" in `engineSoundOn` and silences the sound when that is 0.
void OpenSoundSession(DisplayContext& context);

// `soundLimitSeconds` from `soundOffSetting` read as a number: the seconds of
// the first equal entry of the minutes the settings dialog offers
// (kSoundOffMinutes), else left as it is (0).
void SoundOff(DisplayState& state);

// The sound timer, once a second: the time of day for the clock, and the
// count towards the sound-off time.
void RunSoundTimer(DisplayContext& context);

}  // namespace skyvault
