#pragma once
#include <memory>
#include <string>
#include <vector>

#include "dialogs/image_file_picker.h"
#include "dialogs/picker_paths.h"
#include "dialogs/win32/twip_layout.h"
#include "platform/win32/scaled_font.h"
#include "platform/win32/win32_headers.h"
#include "platform/win32/win32_platform_services.h"
#include "platform/win32/window_base.h"

namespace skyvault::win32 {

namespace picker_ids {
enum : int {
  kLblFileName = 100,
  kTxtFileName,
  kFilFiles,
  kLblFileType,
  kCboFileType,
  kLblDirectories,
  kLblDirName,
  kDirDirectory,
  kLblDrive,
  kDrvDrive,
  kCmdCancel = IDCANCEL,
  kCmdOK = IDOK,
};
}  // namespace picker_ids

// The image file picker (`GetFile` or `GetLogo`) as a Windows dialog with a
// drive list, a directory list and a file list. It only turns Windows
// messages into calls of the picker's logic and shows what the logic sets.
class ImageFilePickerWindow final : public WindowBase, public ImageFilePickerView {
 public:
  // `platform` null: message boxes belong to the picker (tests pass a fake).
  ImageFilePickerWindow(HINSTANCE instance, const PickerConfiguration& configuration,
                        SettingsStore& store, PlatformServices* platform = nullptr);
  ~ImageFilePickerWindow() override;
  ImageFilePickerWindow(const ImageFilePickerWindow&) = delete;
  ImageFilePickerWindow& operator=(const ImageFilePickerWindow&) = delete;

  // Shows the picker modally over `owner`; returns once it has hidden itself
  // (OK with a file, Cancel, or closed), the window destroyed.
  void ShowModal(HWND owner);
  // Creates the picker without waiting (it hides itself on OK or Cancel).
  HWND CreateModeless(HWND owner);

  using WindowBase::hwnd;
  HWND control(int id) const { return GetDlgItem(hwnd(), id); }
  ImageFilePicker& logic() { return picker_; }

  // ImageFilePickerView
  void SetFileTypes(const std::vector<std::string>& entries) override;
  void SelectFileType(int position) override;
  void ListDirectory(const std::string& path) override;
  void ListFiles(const std::string& directory, const std::string& pattern) override;
  void SetDirectoryLabel(const std::string& path) override;
  void SetFileNameText(const std::string& text) override;
  std::optional<std::string> CurrentDirectoryOn(const std::string& drive) override;
  void SelectDrive(const std::string& drive) override;
  void Hide() override;

 private:
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool RefitForDpi(UINT dpi) override;
  void Build();
  void Place(UINT dpi);
  void OnCommand(int id, int code, HWND from);
  std::wstring Title() const;

  HINSTANCE instance_;
  const PickerConfiguration& configuration_;
  std::unique_ptr<Win32PlatformServices> ownPlatform_;
  ImageFilePicker picker_;

  bool modal_ = false;
  TwipLayout layout_;
  ScaledFont font_{L"MS Shell Dlg 2", 825};
  int updating_ = 0;
  std::vector<DirectoryEntry> directories_;
  std::vector<std::string> files_;
  std::vector<std::string> drives_;
};

}  // namespace skyvault::win32
