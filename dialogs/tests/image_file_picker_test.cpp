// The image file picker's logic: what OK stores, its messages, its path helpers.
#include "dialogs/image_file_picker.h"

#include <gtest/gtest.h>

#include "dialogs/picker_paths.h"
#include "platform/testing/fake_platform_services.h"
#include "settings/testing/recording_settings_store.h"

namespace skyvault {

namespace {

using Writes = std::vector<RecordingSettingsStore::WriteRecord>;
using Lines = std::vector<std::string>;

class RecordingPickerView : public ImageFilePickerView {
 public:
  void SetFileTypes(const Lines&) override {}
  void SelectFileType(int position) override { log.push_back("type " + std::to_string(position)); }
  void ListDirectory(const std::string& path) override { log.push_back("dirs " + path); }
  void ListFiles(const std::string& directory, const std::string& pattern) override {
    log.push_back("files " + directory + " " + pattern);
  }
  void SetDirectoryLabel(const std::string& path) override { label = path; }
  void SetFileNameText(const std::string&) override {}
  std::optional<std::string> CurrentDirectoryOn(const std::string& drive) override {
    return drive == "D:" ? std::optional<std::string>("D:\\art") : std::nullopt;  // others fail
  }
  void SelectDrive(const std::string& drive) override { log.push_back("drive " + drive); }
  void Hide() override { log.push_back("hide"); }

  Lines log;
  std::string label;
};

class PickerTest : public ::testing::Test {
 protected:
  RecordingSettingsStore store;
  FakePlatformServices platform;
  RecordingPickerView view;
  ImageFilePicker getFile{kGetFile, store, platform, view};
};

// A listed name joins its directory with one backslash; typed text is stored as it stands.
TEST_F(PickerTest, OkStoresTheListedFileInItsDirectoryOrTheTypedTextAsItStands) {
  // Picker, start, directory opened, file clicked, text typed (each or null), path stored.
  using Case = std::tuple<const PickerConfiguration*, const char*, const char*, const char*,
                          const char*, const char*>;
  const Case cases[] = {
      {&kGetFile, "C:\\", nullptr, "x.bmp", nullptr, "C:\\x.bmp"},
      {&kGetLogo, "C:\\", "C:\\pics", "Logo.bmp", nullptr, "C:\\pics\\Logo.bmp"},
      {&kGetFile, "C:\\pics", nullptr, "Sky.bmp", "sky.bmp", "sky.bmp"},  // case differs
      {&kGetFile, "C:\\pics", nullptr, nullptr, "D:\\art\\night.bmp", "D:\\art\\night.bmp"},
      {&kGetFile, "C:\\pics", nullptr, "a.bmp", "E:\\b.bmp", "E:\\b.bmp"}};
  for (const auto& [configuration, start, opened, clicked, typed, stored] : cases) {
    RecordingSettingsStore fresh;
    ImageFilePicker picker(*configuration, fresh, platform, view);
    picker.Open(start);
    if (opened) picker.OnDirectoryChanged(opened);
    if (clicked) picker.OnFileClicked(clicked);
    if (typed) picker.OnFileNameEdited(typed);
    view.log.clear();
    picker.OnOK();
    EXPECT_EQ(fresh.writes(), (Writes{{"Startup", configuration->key, stored}})) << stored;
    EXPECT_EQ(view.log, Lines{"hide"});
  }
  // A file chosen before the directory changed is no longer in the list.
  getFile.Open("C:\\pics");
  getFile.OnFileClicked("a.bmp");
  getFile.OnDirectoryChanged("C:\\other");
  getFile.OnOK();
  EXPECT_EQ(store.writes(), (Writes{{"Startup", "BMPFileName", "a.bmp"}}));
}

TEST_F(PickerTest, OkWithoutANameOrAnUnreadableDriveReportsAndChangesNothing) {
  getFile.Open("C:\\pics");
  view.log.clear();
  getFile.OnOK();
  getFile.OnDriveChosen("E:");
  EXPECT_EQ(platform.log, (Lines{"Message(You must first select a file! | Skyvault)",
                                 "Message(Drive error! | Error)"}));
  EXPECT_EQ(view.log, (Lines{"drive C:"}));  // back to the shown directory's drive
  EXPECT_EQ(getFile.directory(), "C:\\pics");
  getFile.OnDriveChosen("D:");
  EXPECT_EQ(view.label, "D:\\art");
  EXPECT_EQ(view.log, (Lines{"drive C:", "drive D:", "dirs D:\\art", "files D:\\art *.BMP"}));
  EXPECT_TRUE(store.writes().empty());
}

TEST(PickerPaths, DrivesAndTheDirectoryListFromTheRootDown) {
  EXPECT_EQ((Lines{DriveOf("c:\\pics"), DriveOf("Z:"), DriveOf("\\\\server\\x"), DriveOf("1:\\")}),
            (Lines{"C:", "Z:", "", ""}));
  size_t current = 99;
  EXPECT_EQ(DirectoryEntries("C:\\pics\\old", {"a"}, &current),
            (std::vector<DirectoryEntry>{{"C:\\", "C:\\", 0},
                                         {"pics", "C:\\pics", 1},
                                         {"old", "C:\\pics\\old", 2},
                                         {"a", "C:\\pics\\old\\a", 3}}));
  EXPECT_EQ(current, 2u);
  EXPECT_EQ(DirectoryEntries("D:\\", {"art"}, &current),
            (std::vector<DirectoryEntry>{{"D:\\", "D:\\", 0}, {"art", "D:\\art", 1}}));
  EXPECT_EQ(current, 0u);
  EXPECT_EQ(DirectoryEntries("D:\\art\\", {}, &current).back(),
            (DirectoryEntry{"art", "D:\\art", 1}));
}

}  // namespace
}  // namespace skyvault
