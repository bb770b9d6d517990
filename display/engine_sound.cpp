#include "display/engine_sound.h"

#include "settings/conversions.h"
#include "settings/settings_schema.h"

namespace skyvault {

bool IsNever(const std::string& soundOffSetting) { return soundOffSetting == kSoundNever; }

void OpenSoundSession(DisplayContext& context) {
  DisplayState& state = context.state;
  context.sound.StopSound(SoundHandleArgument(state));
  state.engineSound = context.sound.LoadSound(state.dataPath + kEngineSoundFile);
  state.engineSoundOn = TextOrNumber::Text(ReadSetting(context.settings, kStartup, keys::Prop));
  if (state.engineSoundOn.NumberValue() == 0) {
    context.sound.SilenceSound(SoundHandleArgument(state));
  }
}

void SoundOff(DisplayState& state) {
  const double minutes = NumberValue(state.soundOffSetting);
  for (const int listed : kSoundOffMinutes) {
    if (minutes == listed) {
      state.soundLimitSeconds = listed * 60;
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
