#include "display/frame_composition.h"

#include "display/aircraft_schedule.h"
#include "settings/conversions.h"
#include "settings/settings_schema.h"

namespace skyvault {
namespace {

void DrawBackground(Form1Context& context) {
  const Form1State& state = context.state;
  if (state.BackgroundMode == 1) {
    context.drawing.ClearFrame(kBlack);
  } else if (state.BackgroundMode == 2) {
    context.drawing.ClearFrame(kSkyBlue);
  } else if (state.BackgroundMode == 3) {
    // The picture covers the screen; the frame is not cleared first.
    context.drawing.DrawSprite(state.BackgroundSprite);
    context.drawing.SetSpriteX(state.BackgroundSprite, 0);
    context.drawing.SetSpriteY(state.BackgroundSprite, 0);
  } else {
    context.drawing.ClearFrame(kBlack);
  }
}

// A change made in the settings dialog shows from the next frame on.
void ReadMessageSettings(Form1Context& context) {
  Form1State& state = context.state;
  state.MessageText = TextOrNumber::Text(ReadSetting(context.settings, kStartup, keys::Message));
  state.MessageEnabled = NumberValue(ReadSetting(context.settings, kStartup, keys::MessageChecked));
  state.MessageFontName = ReadSetting(context.settings, kStartup, keys::FontName);
}

void DrawMessage(Form1Context& context) {
  const Form1State& state = context.state;
  if (state.MessageEnabled != 1) return;
  context.drawing.SetTextFont(state.MessageFontName, kMessageFontSize, 1, false, false, false);
  context.drawing.DrawText(state.MessageText.text(), kMessageX, kMessageY, kMessageColour);
}

void DrawLogo(Form1Context& context) {
  if (context.state.LogoEnabled == 1) context.drawing.DrawSprite(context.state.LogoSprite);
}

void DrawClock(Form1Context& context) {
  const Form1State& state = context.state;
  if (state.ClockEnabled != 1) return;
  context.drawing.SetTextFont(kClockFont, state.ClockFontSize, 1, false, false, false);
  context.drawing.DrawText(context.platform.FormatTime(state.CurrentTime), 0, 0, kClockColour);
}

}  // namespace

void ComposeFrame(Form1Context& context) {
  DrawBackground(context);
  ReadMessageSettings(context);
  DrawMessage(context);
  DrawLogo(context);
  RunScheduleFrame(context);
  DrawClock(context);
  context.drawing.ShowFrame();
}

}  // namespace skyvault
