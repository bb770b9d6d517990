#include "display/sprite_loading.h"

#include "display/aircraft_table.h"
#include "settings/conversions.h"
#include "settings/settings_schema.h"

namespace skyvault {
namespace {

// The fixed order for every picture: create, keep the number, load, place.
void LoadPicture(Form1Context& context, int32_t& field, const std::string& path, int32_t loadCode,
                 int32_t x, int32_t y) {
  field = context.drawing.CreateSprite();
  context.drawing.LoadSpriteBitmap(field, 1, path, loadCode);
  context.drawing.SetSpriteX(field, x);
  context.drawing.SetSpriteY(field, y);
}

}  // namespace

void OpenDirectDrawSession(Form1Context& context) {
  Form1State& state = context.state;
  SettingsStore& settings = context.settings;
  state.DataPath = kDataPath;

  if (!context.drawing.InitDisplay(kScreenWidth, kScreenHeight, kColourDepth, "")) {
    context.platform.ShowMessage(kDisplayModeMessage, kDisplayModeTitle, MessageBoxKind::Plain);
    return;
  }

  state.BackgroundMode = NumberValue(ReadSetting(settings, kStartup, keys::BackGround));
  if (state.BackgroundMode == 1 || state.BackgroundMode == 2) {
    // A solid colour, filled by every frame.
  } else if (state.BackgroundMode == 3) {
    LoadPicture(context, state.BackgroundSprite,
                ReadSetting(settings, kStartup, keys::BMPFileName), kPictureLoadCode, 0, 0);
  }

  state.LogoEnabled = NumberValue(ReadSetting(settings, kStartup, keys::LogoChecked));
  if (state.LogoEnabled == 1) {
    LoadPicture(context, state.LogoSprite, ReadSetting(settings, kStartup, keys::LogoFileName),
                kPictureLoadCode, kLogoX, kLogoY);
  }

  for (const AircraftRow& row : kAircraft) {
    LoadPicture(context, SpriteField(state, row.number), state.DataPath + row.bitmap,
                kAircraftLoadCode, row.startX, row.startY);
  }
}

}  // namespace skyvault
