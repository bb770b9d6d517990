#include "dialogs/win32/image_file_picker_window.h"

#include <commctrl.h>

#include "dialogs/win32/directory_listing.h"

namespace skyvault::win32 {
namespace {

using namespace picker_ids;

constexpr DWORD kPickerStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr int kButtonWidth = 1215;
constexpr int kButtonHeight = 375;
constexpr int kLabelHeight = 240;
constexpr int kBoxHeight = 315;
constexpr int kDropHeight = 1800;

std::wstring WindowText(HWND hwnd) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::string SelectedItem(const std::vector<std::string>& items, HWND list, UINT getSelection) {
  const LRESULT index = SendMessageW(list, getSelection, 0, 0);
  if (index < 0 || static_cast<size_t>(index) >= items.size()) return {};
  return items[static_cast<size_t>(index)];
}

}  // namespace

ImageFilePickerWindow::ImageFilePickerWindow(HINSTANCE instance,
                                             const PickerConfiguration& configuration,
                                             SettingsStore& store, PlatformServices* platform)
    : instance_(instance),
      configuration_(configuration),
      ownPlatform_(platform ? nullptr : std::make_unique<Win32PlatformServices>()),
      picker_(configuration, store, platform ? *platform : *ownPlatform_, *this) {}

ImageFilePickerWindow::~ImageFilePickerWindow() = default;

std::wstring ImageFilePickerWindow::Title() const { return Widen(configuration_.title); }

void ImageFilePickerWindow::ShowModal(HWND owner) {
  modal_ = true;
  RunModalDialog(instance_, kPickerStyle, 0, Title(), owner);
}

HWND ImageFilePickerWindow::CreateModeless(HWND owner) {
  modal_ = false;
  CreateDialogWindow(instance_, kPickerStyle, 0, Title(), owner);
  if (hwnd()) ShowWindow(hwnd(), SW_SHOW);
  return hwnd();
}

std::optional<LRESULT> ImageFilePickerWindow::OnMessage(UINT message, WPARAM wParam,
                                                        LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      if (ownPlatform_) ownPlatform_->owner = hwnd();
      Build();
      picker_.Open(ProcessCurrentDirectory());
      return TRUE;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return TRUE;
    case WM_CLOSE:
      picker_.OnCancel();  // closing writes nothing, as Cancel
      return TRUE;
    default:
      return std::nullopt;
  }
}

bool ImageFilePickerWindow::RefitForDpi(UINT dpi) {
  Place(dpi);
  return true;
}

void ImageFilePickerWindow::Build() {
  const UINT dpi = WindowDpi(hwnd());
  const PickerLayout& l = configuration_.layout;
  const int w = kPickerColumnWidth;
  const auto label = [&](int id, const char* text, int x, int y) {
    layout_.Add(hwnd(), id, WC_STATICW, Widen(text), SS_LEFT | SS_NOPREFIX, {x, y, w, kLabelHeight},
                dpi);
  };
  label(kLblFileName, picker_texts::kFileName, l.leftColumnX, l.labelsY);
  layout_.Add(hwnd(), kTxtFileName, WC_EDITW, L"", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
              {l.leftColumnX, l.nameBoxY, w, kBoxHeight}, dpi);
  layout_.Add(hwnd(), kFilFiles, WC_LISTBOXW, L"",
              LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP,
              {l.leftColumnX, l.listsY, w, kFileListHeight}, dpi);
  label(kLblFileType, picker_texts::kFileType, l.leftColumnX, l.typeLabelsY);
  layout_.Add(hwnd(), kCboFileType, WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
              {l.leftColumnX, l.typeListsY, w, kDropHeight}, dpi);

  label(kLblDirectories, picker_texts::kDirectories, l.rightColumnX, l.labelsY);
  layout_.Add(hwnd(), kLblDirName, WC_STATICW, L"", SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS,
              {l.rightColumnX, l.nameBoxY, w, kLabelHeight}, dpi);
  layout_.Add(hwnd(), kDirDirectory, WC_LISTBOXW, L"",
              LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP,
              {l.rightColumnX, l.listsY, w, kDirectoryListHeight}, dpi);
  label(kLblDrive, picker_texts::kDrive, l.rightColumnX, l.typeLabelsY);
  layout_.Add(hwnd(), kDrvDrive, WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
              {l.rightColumnX, l.typeListsY, w, kDropHeight}, dpi);

  layout_.Add(hwnd(), kCmdCancel, WC_BUTTONW, Widen(picker_texts::kCancel),
              BS_PUSHBUTTON | WS_TABSTOP, {l.cancelX, l.buttonsY, kButtonWidth, kButtonHeight},
              dpi);
  layout_.Add(hwnd(), kCmdOK, WC_BUTTONW, Widen(picker_texts::kOK), BS_DEFPUSHBUTTON | WS_TABSTOP,
              {l.okX, l.buttonsY, kButtonWidth, kButtonHeight}, dpi);

  drives_ = Drives();
  HWND drive = control(kDrvDrive);
  for (const std::string& d : drives_) {
    std::string shown = d;
    shown[0] = static_cast<char>(shown[0] - 'A' + 'a');
    SendMessageW(drive, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(shown).c_str()));
  }
  Place(dpi);
}

void ImageFilePickerWindow::Place(UINT dpi) {
  layout_.Place(dpi, font_.At(dpi));
  const PickerLayout& l = configuration_.layout;
  FitClientArea(TwipsToPixels(l.clientWidth, dpi), TwipsToPixels(l.clientHeight, dpi), dpi);
}

void ImageFilePickerWindow::OnCommand(int id, int code, HWND from) {
  if (updating_ > 0) return;
  switch (id) {
    case kCmdOK:
      if (code == BN_CLICKED) picker_.OnOK();
      return;
    case kCmdCancel:
      if (code == BN_CLICKED) picker_.OnCancel();
      return;
    case kTxtFileName:
      if (code == EN_CHANGE) picker_.OnFileNameEdited(Narrow(WindowText(from)));
      return;
    case kFilFiles:
      if (code == LBN_SELCHANGE) {
        const std::string name = SelectedItem(files_, from, LB_GETCURSEL);
        if (!name.empty()) picker_.OnFileClicked(name);
      } else if (code == LBN_DBLCLK) {
        const std::string name = SelectedItem(files_, from, LB_GETCURSEL);
        if (!name.empty()) picker_.OnFileDoubleClicked(name);
      }
      return;
    case kCboFileType:
      if (code == CBN_SELCHANGE) {
        picker_.OnFileTypeChosen(static_cast<int>(SendMessageW(from, CB_GETCURSEL, 0, 0)));
      }
      return;
    case kDirDirectory:
      if (code == LBN_DBLCLK) {
        const LRESULT index = SendMessageW(from, LB_GETCURSEL, 0, 0);
        if (index >= 0 && static_cast<size_t>(index) < directories_.size()) {
          picker_.OnDirectoryChanged(directories_[static_cast<size_t>(index)].path);
        }
      }
      return;
    case kDrvDrive:
      if (code == CBN_SELCHANGE) {
        const std::string drive = SelectedItem(drives_, from, CB_GETCURSEL);
        if (!drive.empty()) picker_.OnDriveChosen(drive);
      }
      return;
    default:
      return;
  }
}

// ---- What the logic shows ----

void ImageFilePickerWindow::SetFileTypes(const std::vector<std::string>& entries) {
  HWND types = control(kCboFileType);
  SendMessageW(types, CB_RESETCONTENT, 0, 0);
  for (const std::string& entry : entries) {
    SendMessageW(types, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(entry).c_str()));
  }
}

void ImageFilePickerWindow::SelectFileType(int position) {
  SendMessageW(control(kCboFileType), CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}

void ImageFilePickerWindow::ListDirectory(const std::string& path) {
  size_t current = 0;
  directories_ = DirectoryEntries(path, SubdirectoriesOf(path), &current);
  HWND list = control(kDirDirectory);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const DirectoryEntry& entry : directories_) {
    const std::wstring shown =
        std::wstring(static_cast<size_t>(entry.depth) * 3, L' ') + Widen(entry.label);
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
  }
  SendMessageW(list, LB_SETCURSEL, current, 0);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void ImageFilePickerWindow::ListFiles(const std::string& directory, const std::string& pattern) {
  files_ = FilesIn(directory, pattern);
  HWND list = control(kFilFiles);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& name : files_) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(name).c_str()));
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void ImageFilePickerWindow::SetDirectoryLabel(const std::string& path) {
  SetWindowTextW(control(kLblDirName), Widen(path).c_str());
}

void ImageFilePickerWindow::SetFileNameText(const std::string& text) {
  ++updating_;
  SetWindowTextW(control(kTxtFileName), Widen(text).c_str());
  --updating_;
}

std::optional<std::string> ImageFilePickerWindow::CurrentDirectoryOn(const std::string& drive) {
  return win32::CurrentDirectoryOn(drive);
}

void ImageFilePickerWindow::SelectDrive(const std::string& drive) {
  for (size_t i = 0; i < drives_.size(); ++i) {
    if (drives_[i] == drive) SendMessageW(control(kDrvDrive), CB_SETCURSEL, i, 0);
  }
}

void ImageFilePickerWindow::Hide() {
  if (modal_) {
    EndDialog(hwnd(), IDOK);
  } else {
    ShowWindow(hwnd(), SW_HIDE);
  }
}

}  // namespace skyvault::win32
