#include "display/engine_sound.h"

#include "settings/conversions.h"
#include "settings/settings_schema.h"

namespace skyvault {

const std::array<SoundOffEntry, 19> kSoundOffTable = {{
    {1, 60},       {2, 120},      {3, 180},      {4, 240},      {5, 300},
    {10, 600},     {15, 900},     {20, 1200},    {30, 1800},    {45, 2700},
    {60, 3600},    {90, 5400},    {120, 7200},   {180, 10800},  {240, 14400},
    {300, 18000},  {360, 21600},  {420, 25200},  {480, 28800},
}};

bool IsNever(const std::string& soundOffSetting) { return soundOffSetting == kSoundNever; }

void OpenDirectSoundSession(Form1Context& context) {
  Form1State& state = context.state;
  context.sound.StopSound(SoundHandleArgument(state));
  state.SoundHandle = context.sound.LoadSound(state.DataPath + kEngineSoundFile);
  state.EngineSoundOn = TextOrNumber::Text(ReadSetting(context.settings, kStartup, keys::Prop));
  if (state.EngineSoundOn.NumberValue() == 0) {
    context.sound.SilenceSound(SoundHandleArgument(state));
  }
}

void SoundOff(Form1State& state) {
  const double minutes = NumberValue(state.SoundOffSetting);
  for (const SoundOffEntry& entry : kSoundOffTable) {
    if (minutes == entry.minutes) {
      state.SoundLimitSeconds = entry.seconds;
      return;
    }
  }
}

void RunSoundTimer(Form1Context& context) {
  Form1State& state = context.state;
  state.CurrentTime = context.platform.LocalTime();
  if (IsNever(state.SoundOffSetting)) return;
  ++state.SoundSeconds;
  if (state.SoundSeconds >= state.SoundLimitSeconds) {
    context.sound.StopAllSound();
    state.EngineSoundOn = TextOrNumber::Number(0);
  }
  if (state.SoundSeconds > kLastSoundSecond) state.SoundSeconds = 0;
}

}  // namespace skyvault
