#include "display/engine_sound.h"

#include "settings/conversions.h"
#include "settings/settings_schema.h"

namespace skyvault {

const std::array<SoundOffEntry, 19> kSoundOffTable = {{
    {1, 60},      {2, 120},     {3, 180},     {4, 240},     {5, 300},     {10, 600},   {15, 900},
    {20, 1200},   {30, 1800},   {45, 2700},   {60, 3600},   {90, 5400},   {120, 7200}, {180, 10800},
    {240, 14400}, {300, 18000}, {360, 21600}, {420, 25200}, {480, 28800},
}};

bool IsNever(const std::string& soundOffSetting) { return soundOffSetting == kSoundNever; }

void OpenSoundSession(DisplayContext& context) {
  DisplayState& state = context.state;
  context.sound.StopSound(SoundHandleArgument(state));
  state.soundHandle = context.sound.LoadSound(state.dataPath + kEngineSoundFile);
  state.engineSoundOn = TextOrNumber::Text(ReadSetting(context.settings, kStartup, keys::Prop));
  if (state.engineSoundOn.NumberValue() == 0) {
    context.sound.SilenceSound(SoundHandleArgument(state));
  }
}

void SoundOff(DisplayState& state) {
  const double minutes = NumberValue(state.soundOffSetting);
  for (const SoundOffEntry& entry : kSoundOffTable) {
    if (minutes == entry.minutes) {
      state.soundLimitSeconds = entry.seconds;
      return;
    }
  }
}

void RunSoundTimer(DisplayContext& context) {
  DisplayState& state = context.state;
  state.currentTime = context.platform.LocalTime();
  if (IsNever(state.soundOffSetting)) return;
  ++state.soundSeconds;
  if (state.soundSeconds >= state.soundLimitSeconds) {
    context.sound.StopAllSound();
    state.engineSoundOn = TextOrNumber::Number(0);
  }
  if (state.soundSeconds > kLastSoundSecond) state.soundSeconds = 0;
}

}  // namespace skyvault
