#include "display/sprite_loading.h"

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

}  // namespace

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
    LoadPicture(context, state.backgroundSprite, ReadSetting(settings, kStartup, keys::BMPFileName),
                kCoverTheFrame, kPictureLoadCode, 0, 0);
  }

  state.logoEnabled = NumberValue(ReadSetting(settings, kStartup, keys::LogoChecked));
  if (state.logoEnabled == 1) {
    LoadPicture(context, state.logoSprite, ReadSetting(settings, kStartup, keys::LogoFileName),
                kPlainPicture, kPictureLoadCode, kLogoX, kLogoY);
  }

  for (const AircraftRow& row : kAircraft) {
    LoadPicture(context, SpriteField(state, row.number), state.dataPath + row.bitmap, kPlainPicture,
                kAircraftLoadCode, row.startX, row.startY);
  }
}

}  // namespace skyvault
