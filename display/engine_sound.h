#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "display/display_context.h"

namespace skyvault {

inline constexpr const char* kEngineSoundFile = "Prop.wav";
inline constexpr const char* kSoundNever = "Never";
// The sound timer's count starts again from 0 once it passes this.
inline constexpr int32_t kLastSoundSecond = 86398;

struct SoundOffEntry {
  int minutes;
  int32_t seconds;
};
// The time limits the settings dialog offers, in minutes, and their seconds.
extern const std::array<SoundOffEntry, 19> kSoundOffTable;

// "Never", compared exactly (case and blanks count).
bool IsNever(const std::string& soundOffSetting);

// Stops the handle that `soundHandle` holds so far (the number value of
// "Prop"), loads the engine sound from the data directory, keeps the text of
// "Prop" in `engineSoundOn` and silences the sound when that is 0.
void OpenSoundSession(DisplayContext& context);

// `soundLimitSeconds` from `soundOffSetting` read as a number: the seconds of
// the first equal table entry, else left as it is (0).
void SoundOff(DisplayState& state);

// The sound timer, once a second: the time of day for the clock, and the
// count towards the sound-off time.
void RunSoundTimer(DisplayContext& context);

}  // namespace skyvault
