#pragma once
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform_services.h"
#include "settings/settings_store.h"

namespace skyvault {

// Where the picker's controls stand, in twips (1/15 pixel at 96 DPI).
struct PickerLayout {
  int clientWidth, clientHeight;
  int leftColumnX, rightColumnX;
  int labelsY, nameBoxY, listsY, typeLabelsY, typeListsY, buttonsY;
  int cancelX, okX;
};
inline constexpr int kPickerColumnWidth = 2655;
inline constexpr int kFileListHeight = 2040;
inline constexpr int kDirectoryListHeight = 1890;

// One picker design, two configurations: `GetFile` for the custom
// background and `GetLogo` for the logo.
struct PickerConfiguration {
  const char* name;   // "GetFile" or "GetLogo"
  const char* title;  // the window's title
  const char* key;    // the Startup setting written on OK
  PickerLayout layout;
};
extern const PickerConfiguration kGetFile;
extern const PickerConfiguration kGetLogo;

struct FileType {
  const char* text;
  const char* pattern;
};
extern const std::array<FileType, 4> kFileTypes;

namespace picker_texts {
inline constexpr const char* kFileName = "File Name:";
inline constexpr const char* kFileType = "File Type:";
inline constexpr const char* kDirectories = "Directories:";
inline constexpr const char* kDrive = "Drive:";
inline constexpr const char* kCancel = "&Cancel";
inline constexpr const char* kOK = "&OK";
inline constexpr const char* kSelectFirst = "You must first select a file!";
inline constexpr const char* kDriveError = "Drive error!";
inline constexpr const char* kErrorTitle = "Error";
}  // namespace picker_texts

// What the picker's logic asks of the window that shows it. Setting a
// control here never reports back as a user's action.
class ImageFilePickerView {
 public:
  virtual ~ImageFilePickerView() = default;
  virtual void SetFileTypes(const std::vector<std::string>& entries) = 0;
  virtual void SelectFileType(int position) = 0;
  // The directory list shows `path` and its tree.
  virtual void ListDirectory(const std::string& path) = 0;
  // The file list shows the files of `directory` matching `pattern`, none selected.
  virtual void ListFiles(const std::string& directory, const std::string& pattern) = 0;
  virtual void SetDirectoryLabel(const std::string& path) = 0;
  virtual void SetFileNameText(const std::string& text) = 0;
  // The current directory on `drive` ("D:"), or nothing when the drive
  // cannot be read.
  virtual std::optional<std::string> CurrentDirectoryOn(const std::string& drive) = 0;
  virtual void SelectDrive(const std::string& drive) = 0;
  virtual void Hide() = 0;
};

// The image file picker: browses drives, directories and files and writes
// the chosen file's path to its configuration's setting. Nothing is handed
// back to the caller.
class ImageFilePicker {
 public:
  ImageFilePicker(const PickerConfiguration& configuration, SettingsStore& store,
                  PlatformServices& platform, ImageFilePickerView& view);

  // Opens at `startDirectory` (the process's current directory).
  void Open(const std::string& startDirectory);

  void OnFileTypeChosen(int position);
  void OnDirectoryChanged(const std::string& path);
  void OnDriveChosen(const std::string& drive);
  void OnFileClicked(const std::string& name);
  void OnFileDoubleClicked(const std::string& name);
  void OnFileNameEdited(const std::string& text);
  void OnOK();
  void OnCancel();

  const std::string& directory() const { return directory_; }

 private:
  const PickerConfiguration& configuration_;
  SettingsStore& store_;
  PlatformServices& platform_;
  ImageFilePickerView& view_;

  std::string directory_;     // the directory list's path, which the file list follows
  std::string pattern_;       // the file list's pattern
  std::string selectedFile_;  // the file list's selected name, "" for none
  std::string fileNameText_;  // the text of txtFileName
  bool hidden_ = false;
};

}  // namespace skyvault
