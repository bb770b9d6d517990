#include "dialogs/image_file_picker.h"

#include "dialogs/picker_paths.h"
#include "dialogs/setup_texts.h"
#include "settings/settings_schema.h"

namespace skyvault {

const PickerConfiguration kGetFile = {
    "GetFile",
    "Select Your Background",
    keys::BMPFileName,
    {6060, 4680, 120, 3240, 240, 480, 840, 3120, 3360, 4080, 1440, 3000}};

const PickerConfiguration kGetLogo = {
    "GetLogo",
    "Select Your Logo",
    keys::LogoFileName,
    {5835, 4290, 0, 3120, 0, 240, 600, 2880, 3120, 3840, 1320, 2880}};

const std::array<FileType, 4> kFileTypes = {{
    {"BMP files (*.BMP)", "*.BMP"},
    {"GIF files (*.GIF)", "*.GIF"},
    {"JPG files (*.JPG)", "*.JPG"},
    {"All files (*.*)", "*.*"},
}};

ImageFilePicker::ImageFilePicker(const PickerConfiguration& configuration, SettingsStore& store,
                                 PlatformServices& platform, ImageFilePickerView& view)
    : configuration_(configuration), store_(store), platform_(platform), view_(view) {}

void ImageFilePicker::Open(const std::string& startDirectory) {
  // The lists start at the process's current directory and its drive.
  directory_ = startDirectory;
  view_.SelectDrive(DriveOf(directory_));
  view_.ListDirectory(directory_);

  std::vector<std::string> types;
  for (const FileType& type : kFileTypes) types.push_back(type.text);
  view_.SetFileTypes(types);
  view_.SelectFileType(0);
  OnFileTypeChosen(0);
  view_.SetDirectoryLabel(directory_);
}

void ImageFilePicker::OnFileTypeChosen(int position) {
  if (position < 0 || static_cast<size_t>(position) >= kFileTypes.size()) return;
  pattern_ = kFileTypes[static_cast<size_t>(position)].pattern;
  selectedFile_.clear();
  view_.ListFiles(directory_, pattern_);
}

void ImageFilePicker::OnDirectoryChanged(const std::string& path) {
  directory_ = path;
  selectedFile_.clear();
  view_.ListDirectory(directory_);
  view_.ListFiles(directory_, pattern_);
  view_.SetDirectoryLabel(directory_);
}

void ImageFilePicker::OnDriveChosen(const std::string& drive) {
  const auto directory = view_.CurrentDirectoryOn(drive);
  if (!directory) {
    platform_.ShowMessage(picker_texts::kDriveError, picker_texts::kErrorTitle,
                          MessageBoxKind::Exclamation);
    view_.SelectDrive(DriveOf(directory_));
    return;
  }
  view_.SelectDrive(DriveOf(*directory));
  OnDirectoryChanged(*directory);
}

void ImageFilePicker::OnFileClicked(const std::string& name) {
  selectedFile_ = name;
  fileNameText_ = name;
  view_.SetFileNameText(name);
}

void ImageFilePicker::OnFileDoubleClicked(const std::string& name) {
  OnFileClicked(name);
  OnOK();
}

void ImageFilePicker::OnFileNameEdited(const std::string& text) { fileNameText_ = text; }

void ImageFilePicker::OnOK() {
  if (fileNameText_.empty()) {
    platform_.ShowMessage(picker_texts::kSelectFirst, setup_texts::kApplicationTitle,
                          MessageBoxKind::Plain);
    return;
  }
  // A name taken from the file list joins its directory; any other text
  // (a typed full path, an edited name) is stored as it stands.
  const std::string result = fileNameText_ == selectedFile_
                                 ? WithTrailingBackslash(directory_) + fileNameText_
                                 : fileNameText_;
  store_.Write(kStartup, configuration_.key, result);
  hidden_ = true;
  view_.Hide();
}

void ImageFilePicker::OnCancel() {
  hidden_ = true;
  view_.Hide();
}

}  // namespace skyvault
