#include "dialogs/win32/setup_dialog.h"

#include <commctrl.h>

#include "dialogs/image_file_picker.h"
#include "dialogs/screen_font_list.h"
#include "dialogs/setup_texts.h"
#include "dialogs/win32/image_file_picker_window.h"
#include "dialogs/win32/screen_fonts.h"
#include "dialogs/win32/setup_dialog_ids.h"
#include "platform/win32/window_list.h"
#include "settings/win32/registry_settings_store.h"

namespace skyvault::win32 {
namespace {

using namespace setup_ids;
namespace texts = setup_texts;
using Kind = SetupRole::Kind;

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_CLIPCHILDREN;

// What the user did to a scroll bar, besides dragging its thumb.
constexpr std::pair<int, ScrollStep> kScrollSteps[] = {
    {SB_LINELEFT, ScrollStep::LineLess}, {SB_LINERIGHT, ScrollStep::LineMore},
    {SB_PAGELEFT, ScrollStep::PageLess}, {SB_PAGERIGHT, ScrollStep::PageMore},
    {SB_LEFT, ScrollStep::ToMinimum},    {SB_RIGHT, ScrollStep::ToMaximum},
};

std::wstring WindowText(HWND hwnd) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

// ---- The dialog ----

SetupDialog::SetupDialog(HINSTANCE instance, SettingsStore& store, PlatformServices* platform)
    : instance_(instance),
      store_(store),
      injectedPlatform_(platform),
      ownPlatform_(platform ? nullptr : std::make_unique<Win32PlatformServices>()),
      setup_(store, platform ? *platform : *ownPlatform_, *this) {}

SetupDialog::~SetupDialog() {
  if (hwnd()) DestroyWindow(hwnd());
}

HWND SetupDialog::Create() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES |
                                                     ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  CreateDialogWindow(instance_, kDialogStyle, WS_EX_CONTROLPARENT | WS_EX_APPWINDOW,
                     Widen(texts::Title()), nullptr);
  if (!hwnd()) return nullptr;
  NoteIn(PreviewAndSetupWindows());
  // The opening steps, the font list first.
  setup_.Open(SystemScreenFonts(kListedFontCount));
  ShowPage(0);
  ShowWindow(hwnd(), SW_SHOW);
  return hwnd();
}

HWND SetupDialog::control(int id) const {
  if (HWND found = GetDlgItem(hwnd(), id)) return found;
  for (const auto& page : pages_) {
    if (HWND found = page ? GetDlgItem(page->hwnd(), id) : nullptr) return found;
  }
  return nullptr;
}

std::optional<LRESULT> SetupDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      if (ownPlatform_) ownPlatform_->owner = hwnd();
      BuildControls();
      return TRUE;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom != static_cast<UINT_PTR>(kTab) || header->code != TCN_SELCHANGE) {
        return std::nullopt;
      }
      ShowPage(static_cast<int>(SendMessageW(tab_, TCM_GETCURSEL, 0, 0)));
      return 0;
    }
    case WM_CLOSE:
      DestroyWindow(hwnd());
      return 0;
    default:
      return OnControlMessage(message, wParam, lParam);
  }
}

std::optional<LRESULT> SetupDialog::OnControlMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return TRUE;
    case WM_HSCROLL:
      OnScroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
      return TRUE;
    case WM_CTLCOLORSTATIC: {
      const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
      // The swatches beside "Solid Black" and "Solid Sky Blue".
      if (id == kSwatchBlack) return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNTEXT));
      if (id == kSwatchSky) return reinterpret_cast<LRESULT>(skyBrush_.get());
      // The stop-sound label draws its letters only, so its blanks leave
      // the combo in its gap alone.
      if (id == kLblStopSound) {
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
      }
      return std::nullopt;
    }
    default:
      return std::nullopt;
  }
}

bool SetupDialog::RefitForDpi(UINT dpi) {
  Place(dpi);
  return true;
}

void SetupDialog::OnDestroyed() {
  if (quitOnDestroy) PostQuitMessage(0);
}
// ---- The user's actions ----

void SetupDialog::OnCommand(int id, int code, HWND from) {
  if (updating_ > 0) return;
  if (id == IDOK || id == IDCANCEL) {  // Enter and Escape
    if (code == BN_CLICKED) DestroyWindow(hwnd());
    return;
  }
  const SetupControl* row = SetupControlById(id);
  if (!row) return;
  const int index = row->role.index;
  switch (row->role.kind) {
    case Kind::Check:
      if (code == BN_CLICKED) {
        setup_.OnCheckClicked(static_cast<SetupCheckBox>(index),
                              SendMessageW(from, BM_GETCHECK, 0, 0) == BST_CHECKED);
      }
      return;
    case Kind::Text:
      if (code == EN_CHANGE) {
        setup_.OnTextEdited(static_cast<SetupTextBox>(index), Narrow(WindowText(from)));
      }
      return;
    case Kind::Option:
      if (code == BN_CLICKED) setup_.OnBackgroundOptionClicked(index);
      return;
    case Kind::Button:
      if (code == BN_CLICKED) Press(static_cast<SetupButton>(index));
      return;
    case Kind::List: {
      // Only a choice from the list counts; what is typed is never stored.
      if (code != CBN_SELCHANGE) return;
      const int position = static_cast<int>(SendMessageW(from, CB_GETCURSEL, 0, 0));
      if (static_cast<SetupList>(index) == SetupList::cboSoundOff) {
        setup_.OnSoundOffChosen(position);
      } else {
        setup_.OnFontChosen(position);
      }
      return;
    }
    case Kind::Bar:
    case Kind::None:
      return;
  }
}

void SetupDialog::Press(SetupButton button) {
  switch (button) {
    case SetupButton::cmdOK:
      DestroyWindow(hwnd());
      return;
    case SetupButton::cmdAbout:
      setup_.OnAboutClicked();
      return;
    case SetupButton::cmdHelp:
      setup_.OnHelpClicked();
      return;
    case SetupButton::cmdSelectBG:
      setup_.OnSelectBackgroundClicked();
      return;
    case SetupButton::cmdSelectLogo:
      setup_.OnSelectLogoClicked();
      return;
  }
}

void SetupDialog::OnScroll(HWND bar, int code, int position) {
  if (updating_ > 0 || !bar) return;
  const SetupControl* row = SetupControlById(GetDlgCtrlID(bar));
  if (!row || row->role.kind != Kind::Bar) return;
  const auto which = static_cast<SetupScrollBar>(row->role.index);
  if (code == SB_THUMBTRACK) {
    setup_.OnScrollTracked(which, position);
  } else if (code == SB_THUMBPOSITION) {
    setup_.OnScrollChanged(which, position);
  } else if (code == SB_ENDSCROLL) {
    setup_.OnScrollEnded(which);
  }
  for (const auto& [scrollCode, step] : kScrollSteps) {
    if (scrollCode == code) setup_.OnScrollStepped(which, step);
  }
}

// ---- What the logic shows ----

void SetupDialog::SetCheck(SetupCheckBox box, bool checked) {
  SendMessageW(control(RoleOf(box)), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void SetupDialog::SetText(SetupTextBox box, const std::string& text) {
  ++updating_;
  SetWindowTextW(control(RoleOf(box)), Widen(text).c_str());
  --updating_;
}

void SetupDialog::SetScrollValue(SetupScrollBar bar, int value) {
  SCROLLINFO info{sizeof info, SIF_POS, 0, 0, 0, value, 0};
  SetScrollInfo(control(RoleOf(bar)), SB_CTL, &info, TRUE);
}

void SetupDialog::SelectBackgroundOption(int position) {
  for (int i = 0; i < 3; ++i) {
    SendMessageW(control(BackgroundOption(i)), BM_SETCHECK,
                 i == position ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

void SetupDialog::EnableSelectBackground(bool enabled) {
  EnableWindow(control(RoleOf(SetupButton::cmdSelectBG)), enabled ? TRUE : FALSE);
}

void SetupDialog::FillCombo(SetupList list, const std::vector<std::string>& entries) {
  HWND combo = control(RoleOf(list));
  ++updating_;
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (const std::string& entry : entries) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(entry).c_str()));
  }
  --updating_;
}

void SetupDialog::SetSoundOffEntries(const std::vector<std::string>& entries) {
  FillCombo(SetupList::cboSoundOff, entries);
}

void SetupDialog::SetSoundOffText(const std::string& text) {
  HWND combo = control(RoleOf(SetupList::cboSoundOff));
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
  FillCombo(SetupList::cboFontsScreen, names);
}

void SetupDialog::SelectFont(int position) {
  SendMessageW(control(RoleOf(SetupList::cboFontsScreen)), CB_SETCURSEL,
               static_cast<WPARAM>(position), 0);
}

void SetupDialog::SetSampleFace(const std::string& face) {
  sampleFont_.SetFace(Widen(face));
  SendMessageW(control(kLblSample), WM_SETFONT, reinterpret_cast<WPARAM>(sampleFont_.At(dpi_)),
               TRUE);
}

void SetupDialog::ShowImagePicker(const PickerConfiguration& configuration) {
  ImageFilePickerWindow picker(instance_, configuration, store_, injectedPlatform_);
  picker.ShowModal(hwnd());
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
