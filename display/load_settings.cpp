#include "display/load_settings.h"

#include <algorithm>

#include "settings/conversions.h"
#include "settings/settings_schema.h"

namespace skyvault {

int16_t VolumeLevelFrom(std::string_view text) {
  return ToInt16(text).value_or(kFirstRunVolume);
}

int16_t ClockFontSizeFrom(std::string_view text) {
  const double size = NumberValue(text);
  if (!(size >= kSmallestClockFont)) return kSmallestClockFont;  // also catches NaN
  if (size > kLargestClockFont) return kLargestClockFont;
  const int16_t rounded = RoundToInt16(size).value_or(kSmallestClockFont);
  return std::clamp(rounded, kSmallestClockFont, kLargestClockFont);
}

void ReadLoadSettings(Form1Context& context) {
  Form1State& state = context.state;
  SettingsStore& settings = context.settings;
  const auto startup = [&](const char* key) { return ReadSetting(settings, kStartup, key); };

  state.BackgroundMode = NumberValue(startup(keys::BackGround));
  state.SoundHandle = NumberValue(startup(keys::Prop));
  state.MessageText = TextOrNumber::Number(NumberValue(startup(keys::Message)));
  state.MoveInterval = NumberValue(startup(keys::Speed));
  state.MessageEnabled = NumberValue(startup(keys::MessageChecked));
  state.LogoEnabled = NumberValue(startup(keys::LogoChecked));
  state.MessageFontName = startup(keys::FontName);
  state.MouseSensitivity = NumberValue(startup(keys::MouseSens));
  state.ClockEnabled = NumberValue(startup(keys::Clock));
  state.ClockFontSize = ClockFontSizeFrom(startup(keys::FontClock));
  state.SoundOffSetting = ReadSetting(settings, kSystem, keys::SoundOff);
  state.VolumeLevel = VolumeLevelFrom(startup(keys::Volume));
}

}  // namespace skyvault
