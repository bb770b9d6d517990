// The image file picker: its opening, its lists and the path it stores on OK.
#include "dialogs/image_file_picker.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/fake_platform_services.h"
#include "settings/memory_settings_store.h"

namespace skyvault {
namespace {

using Write = MemorySettingsStore::WriteRecord;

class RecordingPickerView : public ImageFilePickerView {
 public:
  void SetFileTypes(const std::vector<std::string>& entries) override { types = entries; }
  void SelectFileType(int position) override { typeSelection = position; }
  void ListDirectory(const std::string& path) override { log.push_back("ListDirectory " + path); }
  void ListFiles(const std::string& directory, const std::string& pattern) override {
    log.push_back("ListFiles " + directory + " " + pattern);
  }
  void SetDirectoryLabel(const std::string& path) override { label = path; }
  void SetFileNameText(const std::string& text) override { nameBox = text; }
  std::optional<std::string> CurrentDirectoryOn(const std::string& drive) override {
    const auto found = drives.find(drive);
    if (found == drives.end()) return std::nullopt;
    return found->second;
  }
  void SelectDrive(const std::string& d) override { log.push_back("SelectDrive " + d); }
  void Hide() override { ++hides; }

  std::vector<std::string> types;
  int typeSelection = -1;
  std::string label;
  std::string nameBox;
  std::map<std::string, std::string> drives;  // readable drives and their current directories
  std::vector<std::string> log;
  int hides = 0;
};

class ExclamationCountingPlatform : public FakePlatformServices {
 public:
  void ShowMessage(const std::string& text, const std::string& title,
                   MessageBoxKind kind) override {
    FakePlatformServices::ShowMessage(text, title, kind);
    kinds.push_back(kind);
  }
  std::vector<MessageBoxKind> kinds;
};

class Picker : public ::testing::Test {
 protected:
  MemorySettingsStore store;
  ExclamationCountingPlatform platform;
  RecordingPickerView view;
  ImageFilePicker getFile{kGetFile, store, platform, view};
};

TEST_F(Picker, OpensOnBitmapsInTheStartDirectory) {
  getFile.Open("C:\\work");
  EXPECT_EQ(view.types, (std::vector<std::string>{"BMP files (*.BMP)", "GIF files (*.GIF)",
                                                  "JPG files (*.JPG)", "All files (*.*)"}));
  EXPECT_EQ(view.typeSelection, 0);
  EXPECT_EQ(getFile.pattern(), "*.BMP");
  EXPECT_EQ(view.label, "C:\\work");
  EXPECT_EQ(view.log, (std::vector<std::string>{"SelectDrive C:", "ListDirectory C:\\work",
                                                "ListFiles C:\\work *.BMP"}));
  EXPECT_EQ(getFile.fileNameText(), "");
  EXPECT_FALSE(getFile.hidden());
}

TEST_F(Picker, FileTypesSetTheFileListsPattern) {
  getFile.Open("C:\\");
  const std::vector<std::string> patterns = {"*.BMP", "*.GIF", "*.JPG", "*.*"};
  for (int i = 3; i >= 0; --i) {
    getFile.OnFileTypeChosen(i);
    EXPECT_EQ(getFile.pattern(), patterns[static_cast<size_t>(i)]);
    EXPECT_EQ(view.log.back(), "ListFiles C:\\ " + patterns[static_cast<size_t>(i)]);
  }
  getFile.OnFileTypeChosen(4);
  getFile.OnFileTypeChosen(-1);
  EXPECT_EQ(getFile.pattern(), "*.BMP");
}

TEST_F(Picker, AFileChosenInTheRootGetsOneBackslash) {
  getFile.Open("C:\\");
  getFile.OnFileClicked("x.bmp");
  EXPECT_EQ(view.nameBox, "x.bmp");
  getFile.OnOK();
  EXPECT_EQ(store.writes(), (std::vector<Write>{{"Startup", "BMPFileName", "C:\\x.bmp"}}));
  EXPECT_TRUE(getFile.hidden());
  EXPECT_EQ(view.hides, 1);
}

TEST_F(Picker, AFileChosenInASubdirectoryGetsTheBackslashAdded) {
  getFile.Open("C:\\");
  getFile.OnDirectoryChanged("C:\\pics");
  EXPECT_EQ(view.label, "C:\\pics");
  getFile.OnFileClicked("x.bmp");
  getFile.OnOK();
  EXPECT_EQ(store.writes(), (std::vector<Write>{{"Startup", "BMPFileName", "C:\\pics\\x.bmp"}}));
}

TEST_F(Picker, AnEditedNameIsStoredWithoutTheDirectory) {
  getFile.Open("C:\\pics");
  getFile.OnFileClicked("Sky.bmp");
  getFile.OnFileNameEdited("sky.bmp");  // differs in case only: not the listed name
  getFile.OnOK();
  EXPECT_EQ(store.writes(), (std::vector<Write>{{"Startup", "BMPFileName", "sky.bmp"}}));
}

TEST_F(Picker, ATypedFullPathIsStoredUnchangedWithOrWithoutASelection) {
  getFile.Open("C:\\pics");
  getFile.OnFileNameEdited("D:\\art\\night.bmp");
  getFile.OnOK();
  ImageFilePicker again(kGetFile, store, platform, view);
  again.Open("C:\\pics");
  again.OnFileClicked("a.bmp");
  again.OnFileNameEdited("E:\\b.bmp");
  again.OnOK();
  EXPECT_EQ(store.writes(), (std::vector<Write>{{"Startup", "BMPFileName", "D:\\art\\night.bmp"},
                                                {"Startup", "BMPFileName", "E:\\b.bmp"}}));
}

TEST_F(Picker, ChangingDirectoryDropsTheSelectionSoTheNameStandsAlone) {
  getFile.Open("C:\\pics");
  getFile.OnFileClicked("a.bmp");
  getFile.OnDirectoryChanged("C:\\other");
  getFile.OnOK();
  EXPECT_EQ(store.writes(), (std::vector<Write>{{"Startup", "BMPFileName", "a.bmp"}}));
}

TEST_F(Picker, OKWithoutANameAsksForOneAndStaysOpen) {
  getFile.Open("C:\\");
  getFile.OnOK();
  EXPECT_EQ(platform.log, (std::vector<std::string>{"Message(You must first select a file! | Skyvault)"}));
  EXPECT_EQ(platform.kinds, (std::vector<MessageBoxKind>{MessageBoxKind::Plain}));
  EXPECT_TRUE(store.writes().empty());
  EXPECT_FALSE(getFile.hidden());
  EXPECT_EQ(view.hides, 0);
}

TEST_F(Picker, DoubleClickStoresTheFileAndCloses) {
  getFile.Open("C:\\pics");
  getFile.OnFileDoubleClicked("plane.bmp");
  EXPECT_EQ(store.writes(), (std::vector<Write>{{"Startup", "BMPFileName", "C:\\pics\\plane.bmp"}}));
  EXPECT_TRUE(getFile.hidden());
}

TEST_F(Picker, CancelWritesNothing) {
  getFile.Open("C:\\pics");
  getFile.OnFileClicked("plane.bmp");
  getFile.OnCancel();
  EXPECT_TRUE(store.writes().empty());
  EXPECT_TRUE(getFile.hidden());
  EXPECT_EQ(view.hides, 1);
}

TEST_F(Picker, AnUnreadableDriveReportsAndReturnsToTheShownDirectorysDrive) {
  view.drives = {{"D:", "D:\\art"}};
  getFile.Open("C:\\pics");
  view.log.clear();
  getFile.OnDriveChosen("E:");
  EXPECT_EQ(platform.log, (std::vector<std::string>{"Message(Drive error! | Error)"}));
  EXPECT_EQ(platform.kinds, (std::vector<MessageBoxKind>{MessageBoxKind::Exclamation}));
  EXPECT_EQ(view.log, (std::vector<std::string>{"SelectDrive C:"}));
  EXPECT_EQ(getFile.directory(), "C:\\pics");

  view.log.clear();
  getFile.OnDriveChosen("D:");
  EXPECT_EQ(getFile.directory(), "D:\\art");
  EXPECT_EQ(view.label, "D:\\art");
  EXPECT_EQ(view.log, (std::vector<std::string>{"SelectDrive D:", "ListDirectory D:\\art",
                                                "ListFiles D:\\art *.BMP"}));
}

TEST_F(Picker, TheLogoPickerWritesTheLogoPath) {
  ImageFilePicker getLogo(kGetLogo, store, platform, view);
  getLogo.Open("C:\\");
  getLogo.OnFileClicked("Tarnwing1.bmp");
  getLogo.OnOK();
  EXPECT_EQ(store.writes(), (std::vector<Write>{{"Startup", "LogoFileName", "C:\\Tarnwing1.bmp"}}));
}

TEST(PickerConfigurations, DifferOnlyInTitleKeyAndLayout) {
  EXPECT_STREQ(kGetFile.title, "Form1");
  EXPECT_STREQ(kGetLogo.title, "Select Your Logo");
  EXPECT_STREQ(kGetFile.key, "BMPFileName");
  EXPECT_STREQ(kGetLogo.key, "LogoFileName");
  EXPECT_EQ(kGetFile.layout.clientWidth, 6060);
  EXPECT_EQ(kGetLogo.layout.clientHeight, 4290);
  // The lists fit above the type row and the buttons inside the client area.
  for (const PickerConfiguration* c : {&kGetFile, &kGetLogo}) {
    const PickerLayout& l = c->layout;
    EXPECT_LE(l.listsY + kFileListHeight, l.typeLabelsY) << c->name;
    EXPECT_LE(l.rightColumnX + kPickerColumnWidth, l.clientWidth) << c->name;
    EXPECT_LT(l.cancelX, l.okX) << c->name;
    EXPECT_LT(l.buttonsY, l.clientHeight) << c->name;
  }
}

}  // namespace
}  // namespace skyvault
