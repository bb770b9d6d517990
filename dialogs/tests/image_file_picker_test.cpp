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
    if (drive == "D:") return "D:\\art";
    return std::nullopt;  // any other drive cannot be read
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
  struct Case {
    const PickerConfiguration* picker;
    const char* start;
    const char* openedDirectory;  // double-clicked in the directory list, or null
    const char* clicked;          // in the file list, or null
    const char* typed;            // into the name box afterwards, or null
    const char* stored;
  };
  for (const Case& c : std::initializer_list<Case>{
           {&kGetFile, "C:\\", nullptr, "x.bmp", nullptr, "C:\\x.bmp"},
           {&kGetLogo, "C:\\", "C:\\pics", "Logo.bmp", nullptr, "C:\\pics\\Logo.bmp"},
           {&kGetFile, "C:\\pics", nullptr, "Sky.bmp", "sky.bmp", "sky.bmp"},  // case differs
           {&kGetFile, "C:\\pics", nullptr, nullptr, "D:\\art\\night.bmp", "D:\\art\\night.bmp"},
           {&kGetFile, "C:\\pics", nullptr, "a.bmp", "E:\\b.bmp", "E:\\b.bmp"}}) {
    RecordingSettingsStore fresh;
    ImageFilePicker picker(*c.picker, fresh, platform, view);
    picker.Open(c.start);
    if (c.openedDirectory) picker.OnDirectoryChanged(c.openedDirectory);
    if (c.clicked) picker.OnFileClicked(c.clicked);
    if (c.typed) picker.OnFileNameEdited(c.typed);
    view.log.clear();
    picker.OnOK();
    EXPECT_EQ(fresh.writes(), (Writes{{"Startup", c.picker->key, c.stored}})) << c.stored;
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
