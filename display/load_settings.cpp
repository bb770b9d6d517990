#include "display/load_settings.h"

#include <cmath>

#include "settings/conversions.h"
#include "settings/settings_schema.h"

namespace skyvault {

int16_t VolumeLevelFrom(std::string_view text) { return ToInt16(text).value_or(kFirstRunVolume); }

int16_t ClockFontSizeFrom(std::string_view text) {
  const double size = NumberValue(text);
  if (std::isnan(size)) return kFirstRunClockFont;
  if (size > kLargestClockFont) return kLargestClockFont;  // also beyond 16 bits
  const int16_t rounded = RoundToInt16(size).value_or(0);
  return rounded > 0 ? rounded : kFirstRunClockFont;
}

double MoveIntervalFrom(std::string_view text) {
  const double interval = NumberValue(text);
  if (!std::isfinite(interval) || interval > kLongestMoveInterval) return kFirstRunMoveInterval;
  return interval;
}

void ReadLoadSettings(DisplayContext& context) {
  DisplayState& state = context.state;
  SettingsStore& settings = context.settings;
  const auto startup = [&](const char* key) { return ReadSetting(settings, kStartup, key); };

  state.backgroundMode = NumberValue(startup(keys::BackGround));
  state.propAtLoad = NumberValue(startup(keys::Prop));
  startup(keys::Message);  // read here too; each frame reads the text it draws
  state.moveInterval = MoveIntervalFrom(startup(keys::Speed));
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
