#include "display/load_settings.h"

#include <algorithm>

#include "settings/conversions.h"
#include "settings/settings_schema.h"

namespace skyvault {

int16_t VolumeLevelFrom(std::string_view text) { return ToInt16(text).value_or(kFirstRunVolume); }

int16_t ClockFontSizeFrom(std::string_view text) {
  const double size = NumberValue(text);
  if (!(size >= kSmallestClockFont)) return kSmallestClockFont;  // also catches NaN
  if (size > kLargestClockFont) return kLargestClockFont;
  const int16_t rounded = RoundToInt16(size).value_or(kSmallestClockFont);
  return std::clamp(rounded, kSmallestClockFont, kLargestClockFont);
}

void ReadLoadSettings(DisplayContext& context) {
  DisplayState& state = context.state;
  SettingsStore& settings = context.settings;
  const auto startup = [&](const char* key) { return ReadSetting(settings, kStartup, key); };

  state.backgroundMode = NumberValue(startup(keys::BackGround));
  state.soundHandle = NumberValue(startup(keys::Prop));
  state.messageText = TextOrNumber::Number(NumberValue(startup(keys::Message)));
  state.moveInterval = NumberValue(startup(keys::Speed));
  state.messageEnabled = NumberValue(startup(keys::MessageChecked));
  state.logoEnabled = NumberValue(startup(keys::LogoChecked));
  state.messageFontName = startup(keys::FontName);
  state.mouseSensitivity = NumberValue(startup(keys::MouseSens));
  state.clockEnabled = NumberValue(startup(keys::Clock));
  state.clockFontSize = ClockFontSizeFrom(startup(keys::FontClock));
  state.soundOffSetting = ReadSetting(settings, kSystem, keys::SoundOff);
  state.volumeLevel = VolumeLevelFrom(startup(keys::Volume));
}

}  // namespace skyvault
