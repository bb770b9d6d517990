#include "display/frame_composition.h"

#include "display/aircraft_schedule.h"
#include "settings/conversions.h"
#include "settings/settings_schema.h"

namespace skyvault {
namespace {

void DrawBackground(DisplayContext& context) {
  const DisplayState& state = context.state;
  if (state.backgroundMode == 1) {
    context.drawing.ClearFrame(kBlack);
  } else if (state.backgroundMode == 2) {
    context.drawing.ClearFrame(kSkyBlue);
  } else if (state.backgroundMode == 3) {
    // The picture covers the screen; the frame is not cleared first.
    context.drawing.DrawSprite(state.backgroundSprite);
    context.drawing.SetSpriteX(state.backgroundSprite, 0);
    context.drawing.SetSpriteY(state.backgroundSprite, 0);
  } else {
    context.drawing.ClearFrame(kBlack);
  }
}

// A change made in the settings dialog shows from the next frame on.
void ReadMessageSettings(DisplayContext& context) {
  DisplayState& state = context.state;
  state.messageText = ReadSetting(context.settings, kStartup, keys::Message);
  state.messageEnabled = NumberValue(ReadSetting(context.settings, kStartup, keys::MessageChecked));
  state.messageFontName = ReadSetting(context.settings, kStartup, keys::FontName);
}

void DrawMessage(DisplayContext& context) {
  const DisplayState& state = context.state;
  if (state.messageEnabled != 1) return;
  context.drawing.SetTextFont(state.messageFontName, kMessageFontSize, 1, false, false, false);
  context.drawing.DrawText(state.messageText, kMessageX, kMessageY, kMessageColour);
}

void DrawLogo(DisplayContext& context) {
  if (context.state.logoEnabled == 1) context.drawing.DrawSprite(context.state.logoSprite);
}

void DrawClock(DisplayContext& context) {
  const DisplayState& state = context.state;
  if (state.clockEnabled != 1) return;
  context.drawing.SetTextFont(kClockFont, state.clockFontSize, 1, false, false, false);
  context.drawing.DrawText(context.platform.FormatTime(state.currentTime), 0, 0, kClockColour);
}

}  // namespace

void ComposeFrame(DisplayContext& context) {
  DrawBackground(context);
  ReadMessageSettings(context);
  DrawMessage(context);
  DrawLogo(context);
  RunScheduleFrame(context);
  DrawClock(context);
  context.drawing.ShowFrame();
}

}  // namespace skyvault
