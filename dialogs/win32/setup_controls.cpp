#include "dialogs/win32/setup_controls.h"

#include <commctrl.h>

#include "dialogs/setup_texts.h"
#include "dialogs/win32/setup_dialog_ids.h"

namespace skyvault::win32 {
namespace {

using namespace setup_ids;
namespace texts = setup_texts;
using P = SetupPage;
using Check = SetupCheckBox;
using Text = SetupTextBox;
using Bar = SetupScrollBar;
using Push = SetupButton;
using List = SetupList;

constexpr DWORD kLabel = SS_LEFT | SS_NOPREFIX;
constexpr DWORD kPush = BS_PUSHBUTTON | WS_TABSTOP;

// The kinds of control, each with its window class and usual style.
constexpr SetupControl Frame(P page, int id, const char* caption, TwipRect rect, DWORD more = 0) {
  return {page, id, WC_BUTTONW, caption, BS_GROUPBOX | more, rect};
}
constexpr SetupControl Label(P page, int id, const char* caption, TwipRect rect,
                             DWORD style = kLabel) {
  return {page, id, WC_STATICW, caption, style, rect};
}
constexpr SetupControl CheckBox(P page, int id, const char* caption, TwipRect rect, Check box) {
  return {page, id, WC_BUTTONW, caption, BS_AUTOCHECKBOX | WS_TABSTOP, rect, RoleOf(box)};
}
constexpr SetupControl Option(P page, int id, const char* caption, TwipRect rect, int position,
                              DWORD more = 0) {
  const DWORD style = BS_RADIOBUTTON | WS_TABSTOP | more;
  return {page, id, WC_BUTTONW, caption, style, rect, BackgroundOption(position)};
}
constexpr SetupControl Button(P page, int id, const char* caption, TwipRect rect, Push button,
                              DWORD style = kPush) {
  return {page, id, WC_BUTTONW, caption, style, rect, RoleOf(button)};
}
constexpr SetupControl EditBox(P page, int id, const char* caption, TwipRect rect, Text box) {
  return {page, id, WC_EDITW, caption, ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, rect, RoleOf(box)};
}
// A box that only shows what the logic sets.
constexpr SetupControl ShowBox(P page, int id, TwipRect rect, Text box, DWORD more = 0) {
  const DWORD style = ES_AUTOHSCROLL | ES_READONLY | WS_BORDER | more;
  return {page, id, WC_EDITW, "", style, rect, RoleOf(box)};
}
constexpr SetupControl ScrollBar(P page, int id, TwipRect rect, Bar bar, DWORD more = 0) {
  return {page, id, WC_SCROLLBARW, "", SBS_HORZ | WS_TABSTOP | more, rect, RoleOf(bar)};
}
constexpr SetupControl ComboBox(P page, int id, DWORD style, TwipRect rect, List list) {
  return {page, id, WC_COMBOBOXW, "", style | WS_VSCROLL | WS_TABSTOP, rect, RoleOf(list)};
}
constexpr SetupControl Swatch(P page, int id, TwipRect rect) {
  return {page, id, WC_STATICW, "", SS_LEFT, rect, {}, WS_EX_STATICEDGE};
}

// The button bar `picToolBar` along the bottom edge: About and HELP on the
// left, OK on the right.
constexpr int kBarTop = kSetupClientHeight - kSetupToolBarHeight;
constexpr int kButtonWidth = 1200;
constexpr int kButtonHeight = 375;
constexpr int kButtonTop = kBarTop + (kSetupToolBarHeight - kButtonHeight) / 2;
constexpr TwipRect BarButton(int x) { return {x, kButtonTop, kButtonWidth, kButtonHeight}; }

// The help page: each question with its answer under it.
constexpr SetupControl Question(int i) {
  return Label(P::Help, kHelpFirst + 2 * i, texts::kHelp[i].question,
               {240, 180 + 1140 * i, 8200, 240});
}
constexpr SetupControl Answer(int i) {
  return Label(P::Help, kHelpFirst + 2 * i + 1, texts::kHelp[i].answer,
               {240, 180 + 1140 * i + 270, 8200, 720});
}

constexpr SetupControl kControls[] = {
    {P::Dialog, kTab, WC_TABCONTROLW, "", WS_CLIPSIBLINGS | WS_TABSTOP, {75, 30, 8805, 5295}},

    // Tab "Aircraft".
    Frame(P::Aircraft, kFrameSounds, texts::kFrameSounds, {120, 60, 8445, 1620}),
    ScrollBar(P::Aircraft, kHsbVolume, {300, 390, 5400, 255}, Bar::hsbVolume, WS_GROUP),
    Label(P::Aircraft, kLblVolume, texts::kVolumeScale, {300, 675, 5400, 240},
          SS_CENTER | SS_NOPREFIX),
    CheckBox(P::Aircraft, kChkProp, texts::kProp, {6000, 390, 1200, 255}, Check::chkProp),
    // Made before its label, so above it; fitted into the label's gap when placed.
    ComboBox(P::Aircraft, kCboSoundOff, CBS_DROPDOWN | CBS_AUTOHSCROLL, {300, 1110, 1200, 2400},
             List::cboSoundOff),
    Label(P::Aircraft, kLblStopSound, texts::kStopSoundAfter, {300, 1170, 6000, 255}),
    Frame(P::Aircraft, kFrameSpeed, texts::kFrameSpeed, {120, 1800, 4800, 1380}),
    ScrollBar(P::Aircraft, kHsbSpeed, {300, 2220, 3000, 255}, Bar::hsbSpeed),
    Label(P::Aircraft, kLblSpeedSetTo, texts::kSpeedSetTo, {3540, 2040, 1260, 240}),
    ShowBox(P::Aircraft, kTxtSpeed, {3540, 2310, 900, 315}, Text::txtSpeed, ES_CENTER),
    Label(P::Aircraft, kLblSlide, texts::kSlideToAdjust, {300, 2580, 3000, 240}),
    Frame(P::Aircraft, kFrameMouse, texts::kFrameMouse, {5040, 1800, 3525, 1380}),
    ScrollBar(P::Aircraft, kHsbMouseS, {5220, 2220, 2280, 255}, Bar::hsbMouseS),
    ShowBox(P::Aircraft, kTxtMouseS, {7680, 2190, 720, 315}, Text::txtMouseS, ES_CENTER),
    Label(P::Aircraft, kLblLightTouch, texts::kLightTouch, {5220, 2580, 1140, 240}),
    Label(P::Aircraft, kLblHeavyTouch, texts::kHeavyTouch, {6300, 2580, 1200, 240},
          SS_RIGHT | SS_NOPREFIX),
    CheckBox(P::Aircraft, kChkPowerSave, texts::kPowerSave, {240, 3360, 4500, 255},
             Check::chkPowerSave),

    // Tab "BackGround".
    Frame(P::BackGround, kFrameClock, texts::kFrameClock, {120, 60, 8445, 900}),
    CheckBox(P::BackGround, kChkClock, texts::kShowClock, {300, 420, 1800, 255}, Check::chkClock),
    Label(P::BackGround, kLblFontSize, texts::kFontSize, {2400, 450, 2700, 240}),
    EditBox(P::BackGround, kTxtFontSize, "", {5100, 390, 720, 315}, Text::txtFontSize),
    Frame(P::BackGround, kFrameBackground, texts::kFrameBackground, {120, 1020, 8445, 3660}),
    Option(P::BackGround, kOptBakGrnd0, texts::kBackgroundOptions[0], {300, 1380, 1800, 255}, 0,
           WS_GROUP),
    Option(P::BackGround, kOptBakGrnd1, texts::kBackgroundOptions[1], {300, 1740, 1800, 255}, 1),
    Option(P::BackGround, kOptBakGrnd2, texts::kBackgroundOptions[2], {300, 2100, 1800, 255}, 2),
    Swatch(P::BackGround, kSwatchBlack, {2220, 1380, 600, 255}),
    Swatch(P::BackGround, kSwatchSky, {2220, 1740, 600, 255}),
    Frame(P::BackGround, kFrameCustom, texts::kFrameCustomBackground, {300, 2460, 8085, 2040},
          WS_GROUP),
    ShowBox(P::BackGround, kTxtBGFile, {480, 2820, 5520, 315}, Text::txtBGFile),
    Button(P::BackGround, kCmdSelectBG, texts::kSelectBackground, {6240, 2790, 1920, 375},
           Push::cmdSelectBG),
    Label(P::BackGround, kLblBackgroundRule, texts::kBackgroundRule, {480, 3360, 7680, 240}),
    Label(P::BackGround, kLblBackgroundFolder, texts::kBackgroundFolder, {480, 3660, 7680, 240}),

    // Tab "Logo/Message".
    Frame(P::LogoMessage, kFrameLogo, texts::kFrameLogo, {120, 60, 8445, 1380}),
    CheckBox(P::LogoMessage, kChkLogo, texts::kDisplayLogo, {300, 420, 1800, 255}, Check::chkLogo),
    Button(P::LogoMessage, kCmdSelectLogo, texts::kSelectLogo, {6240, 360, 1920, 375},
           Push::cmdSelectLogo),
    ShowBox(P::LogoMessage, kTxtLogo, {300, 900, 7860, 315}, Text::txtLogo),
    Frame(P::LogoMessage, kFrameTitle, texts::kFrameTitle, {120, 1560, 8445, 2640}),
    CheckBox(P::LogoMessage, kChkMessage, texts::kDisplayMessage, {300, 1920, 2400, 255},
             Check::chkMessage),
    EditBox(P::LogoMessage, kTxtMessage, texts::kMessageBeforeLoading, {300, 2280, 7860, 315},
            Text::txtMessage),
    Label(P::LogoMessage, kLblAvailableFonts, texts::kAvailableFonts, {300, 2820, 3600, 240}),
    ComboBox(P::LogoMessage, kCboFontsScreen, CBS_DROPDOWNLIST, {300, 3090, 3600, 3000},
             List::cboFontsScreen),
    Label(P::LogoMessage, kLblSampleCaption, texts::kSample, {4320, 2820, 1200, 240}),
    Label(P::LogoMessage, kLblSample, texts::kSampleText, {4320, 3090, 3840, 600}),

    // Tab "Help".
    Question(0),
    Answer(0),
    Question(1),
    Answer(1),
    Question(2),
    Answer(2),

    // The button bar, under an etched line.
    Label(P::Dialog, -1, "", {0, kBarTop, kSetupClientWidth, 30}, SS_ETCHEDHORZ),
    Button(P::Dialog, kCmdAbout, texts::kAbout, BarButton(120), Push::cmdAbout),
    Button(P::Dialog, kCmdHelp, texts::kHelpButton, BarButton(120 + kButtonWidth + 120),
           Push::cmdHelp),
    Button(P::Dialog, kCmdOK, texts::kOK, BarButton(kSetupClientWidth - 120 - kButtonWidth),
           Push::cmdOK, BS_DEFPUSHBUTTON | WS_TABSTOP),
};

}  // namespace

std::span<const SetupControl> SetupControls() { return kControls; }

const SetupControl* SetupControlById(int id) {
  for (const SetupControl& control : kControls) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

int SetupControlId(SetupRole role) {
  if (role.kind == SetupRole::Kind::None) return 0;
  for (const SetupControl& control : kControls) {
    if (control.role == role) return control.id;
  }
  return 0;
}

}  // namespace skyvault::win32
