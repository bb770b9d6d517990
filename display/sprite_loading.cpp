#include "display/sprite_loading.h"

#include <algorithm>
#include <string_view>

#include "display/aircraft_table.h"
#include "settings/conversions.h"
#include "settings/settings_schema.h"

namespace skyvault {
namespace {

// The fixed order for every picture: create, keep the number, load, place.
// The background is loaded to cover the frame, every other picture at its
// own size.
void LoadPicture(DisplayContext& context, int32_t& field, const std::string& path, int32_t role,
                 int32_t loadCode, int32_t x, int32_t y) {
  field = context.drawing.CreateSprite();
  context.drawing.LoadSpriteBitmap(field, role, path, loadCode);
  context.drawing.SetSpriteX(field, x);
  context.drawing.SetSpriteY(field, y);
}

bool SameLetters(std::string_view a, std::string_view b) {
  const auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

std::string PicturePath(PlatformServices& platform, const std::string& stored) {
  const size_t separator = stored.find_last_of("/\\");
  const std::string_view name =
      std::string_view(stored).substr(separator == std::string::npos ? 0 : separator + 1);
  for (const SettingEntry& entry : kFirstRunValues) {
    if (!entry.inDataFolder || !SameLetters(name, entry.firstRunValue)) continue;
    if (platform.FileExists(stored)) return stored;
    return platform.DataFolder() + entry.firstRunValue;
  }
  return stored;
}

void OpenDrawingSession(DisplayContext& context) {
  DisplayState& state = context.state;
  SettingsStore& settings = context.settings;
  state.dataPath = context.platform.DataFolder();

  if (!context.drawing.InitDisplay(kScreenWidth, kScreenHeight, kColourDepth, "")) {
    context.platform.ShowMessage(kDisplayModeMessage, kDisplayModeTitle, MessageBoxKind::Plain);
    return;
  }

  state.backgroundMode = NumberValue(ReadSetting(settings, kStartup, keys::BackGround));
  if (state.backgroundMode == 1 || state.backgroundMode == 2) {
    // A solid colour, filled by every frame.
  } else if (state.backgroundMode == 3) {
    LoadPicture(context, state.backgroundSprite,
                PicturePath(context.platform, ReadSetting(settings, kStartup, keys::BMPFileName)),
                kCoverTheFrame, kPictureLoadCode, 0, 0);
  }

  state.logoEnabled = NumberValue(ReadSetting(settings, kStartup, keys::LogoChecked));
  if (state.logoEnabled == 1) {
    LoadPicture(context, state.logoSprite,
                PicturePath(context.platform, ReadSetting(settings, kStartup, keys::LogoFileName)),
                kPlainPicture, kPictureLoadCode, kLogoX, kLogoY);
  }

  for (const AircraftRow& row : kAircraft) {
    LoadPicture(context, SpriteField(state, row.number), state.dataPath + row.bitmap, kPlainPicture,
                kAircraftLoadCode, row.startX, row.startY);
  }
}

}  // namespace skyvault
