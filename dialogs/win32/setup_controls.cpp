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
using Button = SetupButton;
using List = SetupList;

constexpr DWORD kLabel = SS_LEFT | SS_NOPREFIX;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kFrame = BS_GROUPBOX;
constexpr DWORD kBar = SBS_HORZ | WS_TABSTOP;
constexpr DWORD kPush = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kOption = BS_RADIOBUTTON | WS_TABSTOP;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER;
constexpr DWORD kShowBox = ES_AUTOHSCROLL | ES_READONLY | WS_BORDER;
constexpr DWORD kSwatch = SS_LEFT;

// The button bar `picToolBar` along the bottom edge: About and HELP on the
// left, OK on the right.
constexpr int kBarTop = kSetupClientHeight - kSetupToolBarHeight;
constexpr int kButtonWidth = 1200;
constexpr int kButtonHeight = 375;
constexpr int kButtonTop = kBarTop + (kSetupToolBarHeight - kButtonHeight) / 2;

// The help page: each question with its answer under it.
constexpr int kHelpTop = 180;
constexpr int kHelpStep = 1140;
constexpr TwipRect Question(int i) { return {240, kHelpTop + kHelpStep * i, 8200, 240}; }
constexpr TwipRect Answer(int i) { return {240, kHelpTop + kHelpStep * i + 270, 8200, 720}; }

constexpr SetupControl kControls[] = {
    {P::Dialog, kTab, WC_TABCONTROLW, "", WS_CLIPSIBLINGS | WS_TABSTOP, {75, 30, 8805, 5295}},

    // Tab "Aircraft".
    {P::Aircraft, kFrameSounds, WC_BUTTONW, texts::kFrameSounds, kFrame, {120, 60, 8445, 1620}},
    {P::Aircraft,
     kHsbVolume,
     WC_SCROLLBARW,
     "",
     kBar | WS_GROUP,
     {300, 390, 5400, 255},
     RoleOf(Bar::hsbVolume)},
    {P::Aircraft,
     kLblVolume,
     WC_STATICW,
     texts::kVolumeScale,
     SS_CENTER | SS_NOPREFIX,
     {300, 675, 5400, 240}},
    {P::Aircraft,
     kChkProp,
     WC_BUTTONW,
     texts::kProp,
     kCheck,
     {6000, 390, 1200, 255},
     RoleOf(Check::chkProp)},
    // Made before its label, so above it; fitted into the label's gap when placed.
    {P::Aircraft,
     kCboSoundOff,
     WC_COMBOBOXW,
     "",
     CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP,
     {300, 1110, 1200, 2400},
     RoleOf(List::cboSoundOff)},
    {P::Aircraft,
     kLblStopSound,
     WC_STATICW,
     texts::kStopSoundAfter,
     kLabel,
     {300, 1170, 6000, 255}},
    {P::Aircraft, kFrameSpeed, WC_BUTTONW, texts::kFrameSpeed, kFrame, {120, 1800, 4800, 1380}},
    {P::Aircraft,
     kHsbSpeed,
     WC_SCROLLBARW,
     "",
     kBar,
     {300, 2220, 3000, 255},
     RoleOf(Bar::hsbSpeed)},
    {P::Aircraft, kLblSpeedSetTo, WC_STATICW, texts::kSpeedSetTo, kLabel, {3540, 2040, 1260, 240}},
    {P::Aircraft,
     kTxtSpeed,
     WC_EDITW,
     "",
     kShowBox | ES_CENTER,
     {3540, 2310, 900, 315},
     RoleOf(Text::txtSpeed)},
    {P::Aircraft, kLblSlide, WC_STATICW, texts::kSlideToAdjust, kLabel, {300, 2580, 3000, 240}},
    {P::Aircraft, kFrameMouse, WC_BUTTONW, texts::kFrameMouse, kFrame, {5040, 1800, 3525, 1380}},
    {P::Aircraft,
     kHsbMouseS,
     WC_SCROLLBARW,
     "",
     kBar,
     {5220, 2220, 2280, 255},
     RoleOf(Bar::hsbMouseS)},
    {P::Aircraft,
     kTxtMouseS,
     WC_EDITW,
     "",
     kShowBox | ES_CENTER,
     {7680, 2190, 720, 315},
     RoleOf(Text::txtMouseS)},
    {P::Aircraft, kLblLightTouch, WC_STATICW, texts::kLightTouch, kLabel, {5220, 2580, 1140, 240}},
    {P::Aircraft,
     kLblHeavyTouch,
     WC_STATICW,
     texts::kHeavyTouch,
     SS_RIGHT | SS_NOPREFIX,
     {6300, 2580, 1200, 240}},
    {P::Aircraft,
     kChkPowerSave,
     WC_BUTTONW,
     texts::kPowerSave,
     kCheck,
     {240, 3360, 4500, 255},
     RoleOf(Check::chkPowerSave)},

    // Tab "BackGround".
    {P::BackGround, kFrameClock, WC_BUTTONW, texts::kFrameClock, kFrame, {120, 60, 8445, 900}},
    {P::BackGround,
     kChkClock,
     WC_BUTTONW,
     texts::kShowClock,
     kCheck,
     {300, 420, 1800, 255},
     RoleOf(Check::chkClock)},
    {P::BackGround, kLblFontSize, WC_STATICW, texts::kFontSize, kLabel, {2400, 450, 2700, 240}},
    {P::BackGround,
     kTxtFontSize,
     WC_EDITW,
     "",
     kEdit,
     {5100, 390, 720, 315},
     RoleOf(Text::txtFontSize)},
    {P::BackGround,
     kFrameBackground,
     WC_BUTTONW,
     texts::kFrameBackground,
     kFrame,
     {120, 1020, 8445, 3660}},
    {P::BackGround,
     kOptBakGrnd0,
     WC_BUTTONW,
     texts::kBackgroundOptions[0],
     kOption | WS_GROUP,
     {300, 1380, 1800, 255},
     BackgroundOption(0)},
    {P::BackGround,
     kOptBakGrnd1,
     WC_BUTTONW,
     texts::kBackgroundOptions[1],
     kOption,
     {300, 1740, 1800, 255},
     BackgroundOption(1)},
    {P::BackGround,
     kOptBakGrnd2,
     WC_BUTTONW,
     texts::kBackgroundOptions[2],
     kOption,
     {300, 2100, 1800, 255},
     BackgroundOption(2)},
    {P::BackGround,
     kSwatchBlack,
     WC_STATICW,
     "",
     kSwatch,
     {2220, 1380, 600, 255},
     {},
     WS_EX_STATICEDGE},
    {P::BackGround,
     kSwatchSky,
     WC_STATICW,
     "",
     kSwatch,
     {2220, 1740, 600, 255},
     {},
     WS_EX_STATICEDGE},
    {P::BackGround,
     kFrameCustom,
     WC_BUTTONW,
     texts::kFrameCustomBackground,
     kFrame | WS_GROUP,
     {300, 2460, 8085, 2040}},
    {P::BackGround,
     kTxtBGFile,
     WC_EDITW,
     "",
     kShowBox,
     {480, 2820, 5520, 315},
     RoleOf(Text::txtBGFile)},
    {P::BackGround,
     kCmdSelectBG,
     WC_BUTTONW,
     texts::kSelectBackground,
     kPush,
     {6240, 2790, 1920, 375},
     RoleOf(Button::cmdSelectBG)},
    {P::BackGround,
     kLblBackgroundRule,
     WC_STATICW,
     texts::kBackgroundRule,
     kLabel,
     {480, 3360, 7680, 240}},
    {P::BackGround,
     kLblBackgroundFolder,
     WC_STATICW,
     texts::kBackgroundFolder,
     kLabel,
     {480, 3660, 7680, 240}},

    // Tab "Logo/Message".
    {P::LogoMessage, kFrameLogo, WC_BUTTONW, texts::kFrameLogo, kFrame, {120, 60, 8445, 1380}},
    {P::LogoMessage,
     kChkLogo,
     WC_BUTTONW,
     texts::kDisplayLogo,
     kCheck,
     {300, 420, 1800, 255},
     RoleOf(Check::chkLogo)},
    {P::LogoMessage,
     kCmdSelectLogo,
     WC_BUTTONW,
     texts::kSelectLogo,
     kPush,
     {6240, 360, 1920, 375},
     RoleOf(Button::cmdSelectLogo)},
    {P::LogoMessage,
     kTxtLogo,
     WC_EDITW,
     "",
     kShowBox,
     {300, 900, 7860, 315},
     RoleOf(Text::txtLogo)},
    {P::LogoMessage, kFrameTitle, WC_BUTTONW, texts::kFrameTitle, kFrame, {120, 1560, 8445, 2640}},
    {P::LogoMessage,
     kChkMessage,
     WC_BUTTONW,
     texts::kDisplayMessage,
     kCheck,
     {300, 1920, 2400, 255},
     RoleOf(Check::chkMessage)},
    {P::LogoMessage,
     kTxtMessage,
     WC_EDITW,
     texts::kMessageBeforeLoading,
     kEdit,
     {300, 2280, 7860, 315},
     RoleOf(Text::txtMessage)},
    {P::LogoMessage,
     kLblAvailableFonts,
     WC_STATICW,
     texts::kAvailableFonts,
     kLabel,
     {300, 2820, 3600, 240}},
    {P::LogoMessage,
     kCboFontsScreen,
     WC_COMBOBOXW,
     "",
     CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
     {300, 3090, 3600, 3000},
     RoleOf(List::cboFontsScreen)},
    {P::LogoMessage,
     kLblSampleCaption,
     WC_STATICW,
     texts::kSample,
     kLabel,
     {4320, 2820, 1200, 240}},
    {P::LogoMessage, kLblSample, WC_STATICW, texts::kSampleText, kLabel, {4320, 3090, 3840, 600}},

    // Tab "Help".
    {P::Help, kHelpFirst + 0, WC_STATICW, texts::kHelp[0].question, kLabel, Question(0)},
    {P::Help, kHelpFirst + 1, WC_STATICW, texts::kHelp[0].answer, kLabel, Answer(0)},
    {P::Help, kHelpFirst + 2, WC_STATICW, texts::kHelp[1].question, kLabel, Question(1)},
    {P::Help, kHelpFirst + 3, WC_STATICW, texts::kHelp[1].answer, kLabel, Answer(1)},
    {P::Help, kHelpFirst + 4, WC_STATICW, texts::kHelp[2].question, kLabel, Question(2)},
    {P::Help, kHelpFirst + 5, WC_STATICW, texts::kHelp[2].answer, kLabel, Answer(2)},

    // The button bar, under an etched line.
    {P::Dialog, -1, WC_STATICW, "", SS_ETCHEDHORZ, {0, kBarTop, kSetupClientWidth, 30}},
    {P::Dialog,
     kCmdAbout,
     WC_BUTTONW,
     texts::kAbout,
     kPush,
     {120, kButtonTop, kButtonWidth, kButtonHeight},
     RoleOf(Button::cmdAbout)},
    {P::Dialog,
     kCmdHelp,
     WC_BUTTONW,
     texts::kHelpButton,
     kPush,
     {120 + kButtonWidth + 120, kButtonTop, kButtonWidth, kButtonHeight},
     RoleOf(Button::cmdHelp)},
    {P::Dialog,
     kCmdOK,
     WC_BUTTONW,
     texts::kOK,
     BS_DEFPUSHBUTTON | WS_TABSTOP,
     {kSetupClientWidth - 120 - kButtonWidth, kButtonTop, kButtonWidth, kButtonHeight},
     RoleOf(Button::cmdOK)},
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
