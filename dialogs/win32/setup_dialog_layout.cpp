// The settings dialog's pages and controls, made from the table of its
// controls and placed for the monitor's DPI.
#include "dialogs/win32/setup_dialog.h"
// After windows.h:
#include <commctrl.h>
#include <uxtheme.h>

#include "dialogs/setup_bindings.h"
#include "dialogs/setup_texts.h"
#include "dialogs/win32/group_box.h"
#include "dialogs/win32/setup_dialog_ids.h"

namespace skyvault::win32 {
namespace {

using namespace setup_ids;
namespace texts = setup_texts;

constexpr DWORD kPageStyle = WS_CHILD | DS_CONTROL | WS_CLIPSIBLINGS;

bool IsGroupBox(const SetupControl& control) {
  return lstrcmpW(control.className, WC_BUTTONW) == 0 &&
         (control.style & BS_TYPEMASK) == static_cast<DWORD>(BS_GROUPBOX);
}

}  // namespace

// ---- A page ----

HWND SetupDialogPage::Create(HINSTANCE instance, HWND parent) {
  return CreateDialogWindow(instance, kPageStyle, WS_EX_CONTROLPARENT, L"", parent);
}

std::optional<LRESULT> SetupDialogPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return FALSE;  // the focus stays where the dialog puts it
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_CTLCOLORSTATIC:
      return dialog_.OnControlMessage(message, wParam, lParam);
    default:
      return std::nullopt;
  }
}

// ---- Building ----

HWND SetupDialog::Parent(SetupPage page) const {
  return page == SetupPage::Dialog ? hwnd() : pages_[static_cast<size_t>(page)]->hwnd();
}

TwipLayout& SetupDialog::Layout(SetupPage page) {
  return page == SetupPage::Dialog ? mainLayout_ : pageLayouts_[static_cast<size_t>(page)];
}

void SetupDialog::BuildControls() {
  dpi_ = WindowDpi(hwnd());
  skyBrush_.Reset(CreateSolidBrush(RGB(128, 255, 255)));
  for (const SetupControl& row : SetupControls()) {
    HWND made = Layout(row.page).Add(Parent(row.page), row.id, row.className, Widen(row.caption),
                                     row.style, row.rect, dpi_, row.exStyle);
    if (row.id == kTab) {
      tab_ = made;
      AddTabsAndPages();
    }
    if (IsGroupBox(row)) PaintGroupBoxItself(made);
    if (row.role.kind == SetupRole::Kind::Bar) {
      // The bar's range and its position before anything is loaded.
      const ScrollRange& range = BindingOf(static_cast<SetupScrollBar>(row.role.index)).range;
      SCROLLINFO info{sizeof info,
                      SIF_RANGE | SIF_POS | SIF_PAGE,
                      range.minimum,
                      range.maximum,
                      0,
                      range.start,
                      0};
      SetScrollInfo(made, SB_CTL, &info, FALSE);
    }
  }
  SendMessageW(hwnd(), DM_SETDEFID, kCmdOK, 0);
  AddToolTip();
  SendMessageW(control(RoleOf(SetupTextBox::txtMessage)), EM_SETLIMITTEXT, 0, 0);
  Place(dpi_);
  CenterOnMonitor();
}

void SetupDialog::AddTabsAndPages() {
  for (size_t i = 0; i < texts::kTabs.size(); ++i) {
    std::wstring caption = Widen(texts::kTabs[i]);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(tab_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  for (size_t i = 0; i < pages_.size(); ++i) {
    pages_[i] = std::make_unique<SetupDialogPage>(*this);
    HWND page = pages_[i]->Create(instance_, hwnd());
    SetWindowLongPtrW(page, GWLP_ID, kPageFirst + static_cast<LONG_PTR>(i));
    EnableThemeDialogTexture(page, ETDT_ENABLETAB);
    SetWindowPos(page, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

// The tool tip of the power-saving box.
void SetupDialog::AddToolTip() {
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(),
                             nullptr, instance_, nullptr);
  std::wstring tip = Widen(texts::kPowerSaveTip);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = page(0);
  tool.uId = reinterpret_cast<UINT_PTR>(control(kChkPowerSave));
  tool.lpszText = tip.data();
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// ---- Placing for the DPI ----

void SetupDialog::Place(UINT dpi) {
  dpi_ = dpi;
  FitClientArea(TwipsToPixels(kSetupClientWidth, dpi), TwipsToPixels(kSetupClientHeight, dpi), dpi);
  mainLayout_.Place(dpi, dialogFont_.At(dpi));
  // The pages cover the tab control's display area.
  RECT area{};
  GetClientRect(tab_, &area);
  SendMessageW(tab_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  MapWindowPoints(tab_, hwnd(), reinterpret_cast<POINT*>(&area), 2);
  for (size_t i = 0; i < pages_.size(); ++i) {
    SetWindowPos(page(static_cast<int>(i)), HWND_TOP, area.left, area.top, area.right - area.left,
                 area.bottom - area.top, SWP_NOACTIVATE);
    const bool help = static_cast<SetupPage>(i) == SetupPage::Help;
    pageLayouts_[i].Place(dpi, help ? helpFont_.At(dpi) : dialogFont_.At(dpi));
  }
  PlaceSoundOffCombo();
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, TwipsToPixels(4500, dpi));
  if (!sampleFont_.face().empty()) {
    SendMessageW(control(kLblSample), WM_SETFONT, reinterpret_cast<WPARAM>(sampleFont_.At(dpi)),
                 TRUE);
  }
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void SetupDialog::PlaceSoundOffCombo() {
  // The combo fills the blanks between "Stop sound after:" and "min.".
  HWND label = control(kLblStopSound);
  HWND combo = control(kCboSoundOff);
  RECT at{};
  GetWindowRect(label, &at);
  MapWindowPoints(nullptr, GetParent(label), reinterpret_cast<POINT*>(&at), 2);
  HDC dc = GetDC(label);
  HGDIOBJ old = SelectObject(dc, dialogFont_.At(dpi_));
  SIZE lead{}, blank{};
  const std::wstring leadText = Widen(texts::kStopSoundAfterLead);
  GetTextExtentPoint32W(dc, leadText.c_str(), static_cast<int>(leadText.size()), &lead);
  GetTextExtentPoint32W(dc, L"                    ", 20, &blank);
  SelectObject(dc, old);
  ReleaseDC(label, dc);
  const int left = at.left + lead.cx + 1;
  SetWindowPos(combo, HWND_TOP, left, at.top - TwipsToPixels(60, dpi_), blank.cx,
               TwipsToPixels(2400, dpi_), SWP_NOACTIVATE);
}

void SetupDialog::ShowPage(int index) {
  if (index < 0 || index >= kSetupPageCount) return;
  SendMessageW(tab_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  for (int i = 0; i < kSetupPageCount; ++i) ShowWindow(page(i), i == index ? SW_SHOW : SW_HIDE);
}

}  // namespace skyvault::win32
