#include "dialogs/win32/setup_dialog.h"

#include <commctrl.h>
#include <shellapi.h>
#include <uxtheme.h>

#include "dialogs/image_file_picker.h"
#include "dialogs/screen_font_list.h"
#include "dialogs/setup_texts.h"
#include "dialogs/win32/group_box.h"
#include "dialogs/win32/image_file_picker_window.h"
#include "dialogs/win32/screen_fonts.h"
#include "dialogs/win32/setup_dialog_ids.h"
#include "settings/win32/registry_settings_store.h"

namespace skyvault::win32 {
namespace {

using namespace setup_ids;
namespace texts = setup_texts;

// The window and its parts, in twips.
constexpr int kClientWidth = 8955;
constexpr int kClientHeight = 6075;
constexpr TwipRect kTabRect{75, 30, 8805, 5295};
constexpr int kToolBarHeight = 675;
constexpr int kButtonWidth = 1200;
constexpr int kButtonHeight = 375;
constexpr const wchar_t* kDialogFace = L"MS Sans Serif";

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_CLIPCHILDREN;
constexpr DWORD kPageStyle = WS_CHILD | DS_CONTROL | WS_CLIPSIBLINGS;

constexpr DWORD kLabel = SS_LEFT | SS_NOPREFIX;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kFrame = BS_GROUPBOX;
constexpr DWORD kBar = SBS_HORZ | WS_TABSTOP;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER;
constexpr DWORD kShowBox = ES_AUTOHSCROLL | ES_READONLY | WS_BORDER;

int CheckBoxId(SetupCheckBox box) {
  switch (box) {
    case SetupCheckBox::chkProp:
      return kChkProp;
    case SetupCheckBox::chkMessage:
      return kChkMessage;
    case SetupCheckBox::chkLogo:
      return kChkLogo;
    case SetupCheckBox::chkClock:
      return kChkClock;
    case SetupCheckBox::chkPowerSave:
      return kChkPowerSave;
  }
  return 0;
}

int TextBoxId(SetupTextBox box) {
  switch (box) {
    case SetupTextBox::txtMessage:
      return kTxtMessage;
    case SetupTextBox::txtFontSize:
      return kTxtFontSize;
    case SetupTextBox::txtBGFile:
      return kTxtBGFile;
    case SetupTextBox::txtLogo:
      return kTxtLogo;
    case SetupTextBox::txtSpeed:
      return kTxtSpeed;
    case SetupTextBox::txtMouseS:
      return kTxtMouseS;
  }
  return 0;
}

int ScrollBarId(SetupScrollBar bar) {
  switch (bar) {
    case SetupScrollBar::hsbSpeed:
      return kHsbSpeed;
    case SetupScrollBar::hsbMouseS:
      return kHsbMouseS;
    case SetupScrollBar::hsbVolume:
      return kHsbVolume;
  }
  return 0;
}

std::wstring W(const char* text) { return Widen(text); }

std::wstring WindowText(HWND hwnd) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

SetupDialog::SetupDialog(HINSTANCE instance, SettingsStore& store, PlatformServices* platform)
    : instance_(instance),
      store_(store),
      injectedPlatform_(platform),
      ownPlatform_(platform ? nullptr : std::make_unique<Win32PlatformServices>()),
      platform_(platform ? *platform : *ownPlatform_),
      setup_(store, platform_, *this) {}

SetupDialog::~SetupDialog() {
  if (hwnd_) DestroyWindow(hwnd_);
  for (HFONT font : {font_, helpFont_, sampleFont_}) {
    if (font) DeleteObject(font);
  }
  if (skyBrush_) DeleteObject(skyBrush_);
}

HWND SetupDialog::Create() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES |
                                                     ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  const EmptyDialogTemplate dialog(kDialogStyle, WS_EX_CONTROLPARENT | WS_EX_APPWINDOW,
                                   Widen(texts::Title()));
  CreateDialogIndirectParamW(instance_, dialog.get(), nullptr, MainProc,
                             reinterpret_cast<LPARAM>(this));
  if (!hwnd_) return nullptr;
  // The opening steps, the font list first.
  setup_.Open(SystemScreenFonts(kListedFontCount));
  ShowPage(0);
  ShowWindow(hwnd_, SW_SHOW);
  return hwnd_;
}

HWND SetupDialog::control(int id) const {
  if (HWND found = GetDlgItem(hwnd_, id)) return found;
  for (HWND page : pages_) {
    if (HWND found = GetDlgItem(page, id)) return found;
  }
  return nullptr;
}

INT_PTR CALLBACK SetupDialog::MainProc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<SetupDialog*>(lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, lp);
    self->hwnd_ = hwnd;
    if (self->ownPlatform_) self->ownPlatform_->owner = hwnd;
    self->BuildControls();
    return TRUE;
  }
  auto* self = reinterpret_cast<SetupDialog*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return FALSE;
  if (message == WM_NCDESTROY) {
    self->hwnd_ = nullptr;
    if (self->quitOnDestroy) PostQuitMessage(0);
    return FALSE;
  }
  return self->Handle(hwnd, message, wp, lp);
}

INT_PTR CALLBACK SetupDialog::PageProc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, lp);
    return FALSE;
  }
  auto* self = reinterpret_cast<SetupDialog*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return FALSE;
  switch (message) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_CTLCOLORSTATIC:
      return self->Handle(hwnd, message, wp, lp);
    default:
      return FALSE;
  }
}

INT_PTR SetupDialog::Handle(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
      return TRUE;
    case WM_HSCROLL:
      OnScroll(reinterpret_cast<HWND>(lp), LOWORD(wp), static_cast<short>(HIWORD(wp)));
      return TRUE;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lp);
      if (header->idFrom == static_cast<UINT_PTR>(kTab) && header->code == TCN_SELCHANGE) {
        ShowPage(static_cast<int>(SendMessageW(tab_, TCM_GETCURSEL, 0, 0)));
        return TRUE;
      }
      return FALSE;
    }
    case WM_CTLCOLORSTATIC: {
      const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lp));
      // The swatches beside "Solid Black" and "Solid Sky Blue".
      if (id == kSwatchBlack) return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNTEXT));
      if (id == kSwatchSky) return reinterpret_cast<INT_PTR>(skyBrush_);
      // The stop-sound label draws its letters only, so its blanks leave
      // the combo in its gap alone.
      if (id == kLblStopSound) {
        SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
        return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
      }
      (void)hwnd;
      return FALSE;
    }
    case WM_DPICHANGED: {
      Place(HIWORD(wp));
      const RECT* suggested = reinterpret_cast<const RECT*>(lp);
      SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return TRUE;
    }
    case WM_CLOSE:
      DestroyWindow(hwnd_);
      return TRUE;
    default:
      return FALSE;
  }
}

// ---- Building ----

void SetupDialog::BuildControls() {
  dpi_ = WindowDpi(hwnd_);
  skyBrush_ = CreateSolidBrush(RGB(128, 255, 255));

  tab_ = mainLayout_.Add(hwnd_, kTab, WC_TABCONTROLW, L"", WS_CLIPSIBLINGS | WS_TABSTOP, kTabRect,
                         dpi_);
  for (size_t i = 0; i < texts::kTabs.size(); ++i) {
    std::wstring caption = W(texts::kTabs[i]);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(tab_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  const EmptyDialogTemplate pageTemplate(kPageStyle, WS_EX_CONTROLPARENT, L"");
  for (size_t i = 0; i < pages_.size(); ++i) {
    pages_[i] = CreateDialogIndirectParamW(instance_, pageTemplate.get(), hwnd_, PageProc,
                                           reinterpret_cast<LPARAM>(this));
    SetWindowLongPtrW(pages_[i], GWLP_ID, kPageFirst + static_cast<LONG_PTR>(i));
    EnableThemeDialogTexture(pages_[i], ETDT_ENABLETAB);
    SetWindowPos(pages_[i], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  BuildAircraftPage(pages_[0]);
  BuildBackgroundPage(pages_[1]);
  BuildLogoMessagePage(pages_[2]);
  BuildHelpPage(pages_[3]);
  for (int id : {kFrameSounds, kFrameSpeed, kFrameMouse, kFrameClock, kFrameBackground,
                 kFrameCustom, kFrameLogo, kFrameTitle}) {
    PaintGroupBoxItself(control(id));
  }

  // The button bar `picToolBar` along the bottom edge.
  const int barTop = kClientHeight - kToolBarHeight;
  const int buttonTop = barTop + (kToolBarHeight - kButtonHeight) / 2;
  mainLayout_.Add(hwnd_, -1, WC_STATICW, L"", SS_ETCHEDHORZ, {0, barTop, kClientWidth, 30}, dpi_);
  mainLayout_.Add(hwnd_, kCmdAbout, WC_BUTTONW, W(texts::kAbout), kButton,
                  {120, buttonTop, kButtonWidth, kButtonHeight}, dpi_);
  mainLayout_.Add(hwnd_, kCmdHelp, WC_BUTTONW, W(texts::kHelpButton), kButton,
                  {120 + kButtonWidth + 120, buttonTop, kButtonWidth, kButtonHeight}, dpi_);
  mainLayout_.Add(hwnd_, kCmdOK, WC_BUTTONW, W(texts::kOK), BS_DEFPUSHBUTTON | WS_TABSTOP,
                  {kClientWidth - 120 - kButtonWidth, buttonTop, kButtonWidth, kButtonHeight},
                  dpi_);
  SendMessageW(hwnd_, DM_SETDEFID, kCmdOK, 0);

  // The tool tip of the power-saving box.
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                             nullptr, instance_, nullptr);
  std::wstring tip = W(texts::kPowerSaveTip);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = pages_[0];
  tool.uId = reinterpret_cast<UINT_PTR>(control(kChkPowerSave));
  tool.lpszText = tip.data();
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));

  // The bars' ranges and starting positions.
  for (SetupScrollBar bar :
       {SetupScrollBar::hsbSpeed, SetupScrollBar::hsbMouseS, SetupScrollBar::hsbVolume}) {
    const ScrollRange& range = RangeOf(bar);
    SCROLLINFO info{sizeof info,
                    SIF_RANGE | SIF_POS | SIF_PAGE,
                    range.minimum,
                    range.maximum,
                    0,
                    range.start,
                    0};
    SetScrollInfo(control(ScrollBarId(bar)), SB_CTL, &info, FALSE);
  }
  SendMessageW(control(kTxtMessage), EM_SETLIMITTEXT, 0, 0);

  Place(dpi_);
  CenterOnMonitor();
}

void SetupDialog::BuildAircraftPage(HWND page) {
  TwipLayout& l = pageLayouts_[0];
  l.Add(page, kFrameSounds, WC_BUTTONW, W(texts::kFrameSounds), kFrame, {120, 60, 8445, 1620},
        dpi_);
  l.Add(page, kHsbVolume, WC_SCROLLBARW, L"", kBar | WS_GROUP, {300, 390, 5400, 255}, dpi_);
  l.Add(page, kLblVolume, WC_STATICW, W(texts::kVolumeScale), SS_CENTER | SS_NOPREFIX,
        {300, 675, 5400, 240}, dpi_);
  l.Add(page, kChkProp, WC_BUTTONW, W(texts::kProp), kCheck, {6000, 390, 1200, 255}, dpi_);
  // The combo sits in the gap of its label (created first, so above it).
  CreateWindowExW(0, WC_COMBOBOXW, L"",
                  WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP,
                  0, 0, 10, 10, page, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCboSoundOff)),
                  instance_, nullptr);
  l.Add(page, kLblStopSound, WC_STATICW, W(texts::kStopSoundAfter), kLabel, {300, 1170, 6000, 255},
        dpi_);

  l.Add(page, kFrameSpeed, WC_BUTTONW, W(texts::kFrameSpeed), kFrame, {120, 1800, 4800, 1380},
        dpi_);
  l.Add(page, kHsbSpeed, WC_SCROLLBARW, L"", kBar, {300, 2220, 3000, 255}, dpi_);
  l.Add(page, kLblSpeedSetTo, WC_STATICW, W(texts::kSpeedSetTo), kLabel, {3540, 2040, 1260, 240},
        dpi_);
  l.Add(page, kTxtSpeed, WC_EDITW, L"", kShowBox | ES_CENTER, {3540, 2310, 900, 315}, dpi_);
  l.Add(page, kLblSlide, WC_STATICW, W(texts::kSlideToAdjust), kLabel, {300, 2580, 3000, 240},
        dpi_);

  l.Add(page, kFrameMouse, WC_BUTTONW, W(texts::kFrameMouse), kFrame, {5040, 1800, 3525, 1380},
        dpi_);
  l.Add(page, kHsbMouseS, WC_SCROLLBARW, L"", kBar, {5220, 2220, 2280, 255}, dpi_);
  l.Add(page, kTxtMouseS, WC_EDITW, L"", kShowBox | ES_CENTER, {7680, 2190, 720, 315}, dpi_);
  l.Add(page, kLblLightTouch, WC_STATICW, W(texts::kLightTouch), kLabel, {5220, 2580, 1140, 240},
        dpi_);
  l.Add(page, kLblHeavyTouch, WC_STATICW, W(texts::kHeavyTouch), SS_RIGHT | SS_NOPREFIX,
        {6300, 2580, 1200, 240}, dpi_);

  l.Add(page, kChkPowerSave, WC_BUTTONW, W(texts::kPowerSave), kCheck, {240, 3360, 4500, 255},
        dpi_);
}

void SetupDialog::BuildBackgroundPage(HWND page) {
  TwipLayout& l = pageLayouts_[1];
  l.Add(page, kFrameClock, WC_BUTTONW, W(texts::kFrameClock), kFrame, {120, 60, 8445, 900}, dpi_);
  l.Add(page, kChkClock, WC_BUTTONW, W(texts::kShowClock), kCheck, {300, 420, 1800, 255}, dpi_);
  l.Add(page, kLblFontSize, WC_STATICW, W(texts::kFontSize), kLabel, {2400, 450, 2700, 240}, dpi_);
  l.Add(page, kTxtFontSize, WC_EDITW, L"", kEdit, {5100, 390, 720, 315}, dpi_);

  l.Add(page, kFrameBackground, WC_BUTTONW, W(texts::kFrameBackground), kFrame,
        {120, 1020, 8445, 3660}, dpi_);
  for (int i = 0; i < 3; ++i) {
    l.Add(page, kOptBakGrnd0 + i, WC_BUTTONW, W(texts::kBackgroundOptions[static_cast<size_t>(i)]),
          BS_RADIOBUTTON | WS_TABSTOP | (i == 0 ? WS_GROUP : 0), {300, 1380 + 360 * i, 1800, 255},
          dpi_);
  }
  l.Add(page, kSwatchBlack, WC_STATICW, L"", SS_LEFT, {2220, 1380, 600, 255}, dpi_,
        WS_EX_STATICEDGE);
  l.Add(page, kSwatchSky, WC_STATICW, L"", SS_LEFT, {2220, 1740, 600, 255}, dpi_, WS_EX_STATICEDGE);
  l.Add(page, kFrameCustom, WC_BUTTONW, W(texts::kFrameCustomBackground), kFrame | WS_GROUP,
        {300, 2460, 8085, 2040}, dpi_);
  l.Add(page, kTxtBGFile, WC_EDITW, L"", kShowBox, {480, 2820, 5520, 315}, dpi_);
  l.Add(page, kCmdSelectBG, WC_BUTTONW, W(texts::kSelectBackground), kButton,
        {6240, 2790, 1920, 375}, dpi_);
  l.Add(page, kLblBackgroundRule, WC_STATICW, W(texts::kBackgroundRule), kLabel,
        {480, 3360, 7680, 240}, dpi_);
  l.Add(page, kLblBackgroundFolder, WC_STATICW, W(texts::kBackgroundFolder), kLabel,
        {480, 3660, 7680, 240}, dpi_);
}

void SetupDialog::BuildLogoMessagePage(HWND page) {
  TwipLayout& l = pageLayouts_[2];
  l.Add(page, kFrameLogo, WC_BUTTONW, W(texts::kFrameLogo), kFrame, {120, 60, 8445, 1380}, dpi_);
  l.Add(page, kChkLogo, WC_BUTTONW, W(texts::kDisplayLogo), kCheck, {300, 420, 1800, 255}, dpi_);
  l.Add(page, kCmdSelectLogo, WC_BUTTONW, W(texts::kSelectLogo), kButton, {6240, 360, 1920, 375},
        dpi_);
  l.Add(page, kTxtLogo, WC_EDITW, L"", kShowBox, {300, 900, 7860, 315}, dpi_);

  l.Add(page, kFrameTitle, WC_BUTTONW, W(texts::kFrameTitle), kFrame, {120, 1560, 8445, 2640},
        dpi_);
  l.Add(page, kChkMessage, WC_BUTTONW, W(texts::kDisplayMessage), kCheck, {300, 1920, 2400, 255},
        dpi_);
  l.Add(page, kTxtMessage, WC_EDITW, W(texts::kMessageBeforeLoading), kEdit, {300, 2280, 7860, 315},
        dpi_);
  l.Add(page, kLblAvailableFonts, WC_STATICW, W(texts::kAvailableFonts), kLabel,
        {300, 2820, 3600, 240}, dpi_);
  l.Add(page, kCboFontsScreen, WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
        {300, 3090, 3600, 3000}, dpi_);
  l.Add(page, kLblSampleCaption, WC_STATICW, W(texts::kSample), kLabel, {4320, 2820, 1200, 240},
        dpi_);
  l.Add(page, kLblSample, WC_STATICW, W(texts::kSampleText), kLabel, {4320, 3090, 3840, 600}, dpi_);
}

void SetupDialog::BuildHelpPage(HWND page) {
  TwipLayout& l = pageLayouts_[3];
  int y = 180;
  for (size_t i = 0; i < texts::kHelp.size(); ++i) {
    const int id = kHelpFirst + static_cast<int>(2 * i);
    l.Add(page, id, WC_STATICW, W(texts::kHelp[i].question), kLabel, {240, y, 8200, 240}, dpi_);
    l.Add(page, id + 1, WC_STATICW, W(texts::kHelp[i].answer), kLabel, {240, y + 270, 8200, 720},
          dpi_);
    y += 1140;
  }
}

// ---- Placing for the DPI ----

void SetupDialog::Place(UINT dpi) {
  dpi_ = dpi;
  for (HFONT* font : {&font_, &helpFont_}) {
    if (*font) DeleteObject(*font);
  }
  font_ = CreatePointFont(kDialogFace, 825, dpi);
  helpFont_ = CreatePointFont(L"Arial", 825, dpi);

  RECT client{0, 0, TwipsToPixels(kClientWidth, dpi), TwipsToPixels(kClientHeight, dpi)};
  AdjustWindowRectExForDpi(&client, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)), dpi);
  SetWindowPos(hwnd_, nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

  mainLayout_.Place(dpi, font_);
  // The pages cover the tab control's display area.
  RECT area{};
  GetClientRect(tab_, &area);
  SendMessageW(tab_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  MapWindowPoints(tab_, hwnd_, reinterpret_cast<POINT*>(&area), 2);
  for (size_t i = 0; i < pages_.size(); ++i) {
    SetWindowPos(pages_[i], HWND_TOP, area.left, area.top, area.right - area.left,
                 area.bottom - area.top, SWP_NOACTIVATE);
    pageLayouts_[i].Place(dpi, i == 3 ? helpFont_ : font_);
  }
  SendMessageW(control(kCboSoundOff), WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  PlaceSoundOffCombo();
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, TwipsToPixels(4500, dpi));
  if (!sampleFace_.empty()) SetSampleFace(Narrow(sampleFace_));
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void SetupDialog::PlaceSoundOffCombo() {
  // The combo fills the blanks between "Stop sound after:" and "min.".
  HWND label = control(kLblStopSound);
  HWND combo = control(kCboSoundOff);
  RECT at{};
  GetWindowRect(label, &at);
  MapWindowPoints(nullptr, GetParent(label), reinterpret_cast<POINT*>(&at), 2);
  HDC dc = GetDC(label);
  HGDIOBJ old = SelectObject(dc, font_);
  SIZE lead{}, blank{};
  const std::wstring leadText = W(texts::kStopSoundAfterLead);
  GetTextExtentPoint32W(dc, leadText.c_str(), static_cast<int>(leadText.size()), &lead);
  GetTextExtentPoint32W(dc, L"                    ", 20, &blank);
  SelectObject(dc, old);
  ReleaseDC(label, dc);
  const int left = at.left + lead.cx + 1;
  SetWindowPos(combo, HWND_TOP, left, at.top - TwipsToPixels(60, dpi_), blank.cx,
               TwipsToPixels(2400, dpi_), SWP_NOACTIVATE);
}

void SetupDialog::CenterOnMonitor() {
  RECT window{};
  GetWindowRect(hwnd_, &window);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& work = monitor.rcWork;
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  SetWindowPos(hwnd_, nullptr, work.left + (work.right - work.left - width) / 2,
               work.top + (work.bottom - work.top - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetupDialog::ShowPage(int index) {
  if (index < 0 || index >= static_cast<int>(pages_.size())) return;
  SendMessageW(tab_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  for (size_t i = 0; i < pages_.size(); ++i) {
    ShowWindow(pages_[i], static_cast<int>(i) == index ? SW_SHOW : SW_HIDE);
  }
}

// ---- The user's actions ----

void SetupDialog::OnCommand(int id, int code, HWND from) {
  if (updating_ > 0) return;
  switch (id) {
    case kCmdOK:
    case IDOK:
    case IDCANCEL:
      if (code == BN_CLICKED) DestroyWindow(hwnd_);
      return;
    case kCmdAbout:
      if (code == BN_CLICKED) setup_.OnAboutClicked();
      return;
    case kCmdHelp:
      if (code == BN_CLICKED) setup_.OnHelpClicked();
      return;
    case kCmdSelectBG:
      if (code == BN_CLICKED) setup_.OnSelectBackgroundClicked();
      return;
    case kCmdSelectLogo:
      if (code == BN_CLICKED) setup_.OnSelectLogoClicked();
      return;
    case kOptBakGrnd0:
    case kOptBakGrnd1:
    case kOptBakGrnd2:
      if (code == BN_CLICKED) setup_.OnBackgroundOptionClicked(id - kOptBakGrnd0);
      return;
    case kChkProp:
    case kChkMessage:
    case kChkLogo:
    case kChkClock:
    case kChkPowerSave:
      if (code == BN_CLICKED) {
        const bool checked = SendMessageW(from, BM_GETCHECK, 0, 0) == BST_CHECKED;
        for (SetupCheckBox box :
             {SetupCheckBox::chkProp, SetupCheckBox::chkMessage, SetupCheckBox::chkLogo,
              SetupCheckBox::chkClock, SetupCheckBox::chkPowerSave}) {
          if (CheckBoxId(box) == id) setup_.OnCheckClicked(box, checked);
        }
      }
      return;
    case kTxtFontSize:
      if (code == EN_CHANGE) setup_.OnFontSizeEdited(Narrow(WindowText(from)));
      return;
    case kTxtMessage:
      if (code == EN_CHANGE) setup_.OnMessageEdited(Narrow(WindowText(from)));
      return;
    case kCboSoundOff:
      // Only a choice from the list counts; what is typed is never stored.
      if (code == CBN_SELCHANGE) {
        setup_.OnSoundOffChosen(static_cast<int>(SendMessageW(from, CB_GETCURSEL, 0, 0)));
      }
      return;
    case kCboFontsScreen:
      if (code == CBN_SELCHANGE) {
        setup_.OnFontChosen(static_cast<int>(SendMessageW(from, CB_GETCURSEL, 0, 0)));
      }
      return;
    default:
      return;
  }
}

void SetupDialog::OnScroll(HWND bar, int code, int position) {
  if (updating_ > 0 || !bar) return;
  const int id = GetDlgCtrlID(bar);
  SetupScrollBar which;
  if (id == kHsbSpeed) {
    which = SetupScrollBar::hsbSpeed;
  } else if (id == kHsbMouseS) {
    which = SetupScrollBar::hsbMouseS;
  } else if (id == kHsbVolume) {
    which = SetupScrollBar::hsbVolume;
  } else {
    return;
  }
  switch (code) {
    case SB_THUMBTRACK:
      setup_.OnScrollTracked(which, position);
      break;
    case SB_THUMBPOSITION:
      setup_.OnScrollChanged(which, position);
      break;
    case SB_LINELEFT:
      setup_.OnScrollStepped(which, ScrollStep::LineLess);
      break;
    case SB_LINERIGHT:
      setup_.OnScrollStepped(which, ScrollStep::LineMore);
      break;
    case SB_PAGELEFT:
      setup_.OnScrollStepped(which, ScrollStep::PageLess);
      break;
    case SB_PAGERIGHT:
      setup_.OnScrollStepped(which, ScrollStep::PageMore);
      break;
    case SB_LEFT:
      setup_.OnScrollStepped(which, ScrollStep::ToMinimum);
      break;
    case SB_RIGHT:
      setup_.OnScrollStepped(which, ScrollStep::ToMaximum);
      break;
    case SB_ENDSCROLL:
      setup_.OnScrollEnded(which);
      break;
    default:
      break;
  }
}

// ---- What the logic shows ----

void SetupDialog::SetCheck(SetupCheckBox box, bool checked) {
  SendMessageW(control(CheckBoxId(box)), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void SetupDialog::SetText(SetupTextBox box, const std::string& text) {
  ++updating_;
  SetWindowTextW(control(TextBoxId(box)), Widen(text).c_str());
  --updating_;
}

void SetupDialog::SetScrollValue(SetupScrollBar bar, int value) {
  SCROLLINFO info{sizeof info, SIF_POS, 0, 0, 0, value, 0};
  SetScrollInfo(control(ScrollBarId(bar)), SB_CTL, &info, TRUE);
}

void SetupDialog::SelectBackgroundOption(int position) {
  for (int i = 0; i < 3; ++i) {
    SendMessageW(control(kOptBakGrnd0 + i), BM_SETCHECK,
                 i == position ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

void SetupDialog::EnableSelectBackground(bool enabled) {
  EnableWindow(control(kCmdSelectBG), enabled ? TRUE : FALSE);
}

void SetupDialog::SetSoundOffEntries(const std::vector<std::string>& entries) {
  HWND combo = control(kCboSoundOff);
  ++updating_;
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (const std::string& entry : entries) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(entry).c_str()));
  }
  --updating_;
}

void SetupDialog::SetSoundOffText(const std::string& text) {
  HWND combo = control(kCboSoundOff);
  ++updating_;
  const std::wstring wide = Widen(text);
  const LRESULT found = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(wide.c_str()));
  SendMessageW(combo, CB_SETCURSEL,
               found == CB_ERR ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(found), 0);
  SetWindowTextW(combo, wide.c_str());
  --updating_;
}

void SetupDialog::SetFontList(const std::vector<std::string>& names) {
  fonts_ = names;
  HWND combo = control(kCboFontsScreen);
  ++updating_;
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (const std::string& name : names) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(name).c_str()));
  }
  --updating_;
}

void SetupDialog::SelectFont(int position) {
  SendMessageW(control(kCboFontsScreen), CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}

void SetupDialog::SetSampleFace(const std::string& face) {
  sampleFace_ = Widen(face);
  HFONT old = sampleFont_;
  sampleFont_ = CreatePointFont(sampleFace_.c_str(), 1350, dpi_);
  SendMessageW(control(kLblSample), WM_SETFONT, reinterpret_cast<WPARAM>(sampleFont_), TRUE);
  if (old) DeleteObject(old);
}

void SetupDialog::ShowImagePicker(const PickerConfiguration& configuration) {
  ImageFilePickerWindow picker(instance_, configuration, store_, injectedPlatform_);
  picker.ShowModal(hwnd_);
}

void SetupDialog::OpenPage(const std::string& address) {
  ShellExecuteW(hwnd_, L"open", Widen(address).c_str(), L"", L"", SW_SHOWNORMAL);
}

// ---- Configure mode ----

int RunSetup(HINSTANCE instance) {
  RegistrySettingsStore store;
  SetupDialog dialog(instance, store);
  dialog.quitOnDestroy = true;
  HWND hwnd = dialog.Create();
  if (!hwnd) return 1;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (dialog.hwnd() && IsDialogMessageW(dialog.hwnd(), &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

}  // namespace skyvault::win32
