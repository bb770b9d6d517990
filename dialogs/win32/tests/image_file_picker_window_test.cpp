// The image file picker as a Windows dialog: its lists, and the path it stores on OK.
#include "dialogs/win32/image_file_picker_window.h"

#include <gtest/gtest.h>

#include "platform/testing/fake_platform_services.h"
#include "platform/testing/temp_folder.h"
#include "platform/testing/win32/dialog_input.h"
#include "settings/testing/recording_settings_store.h"

namespace skyvault::win32 {
namespace {

using namespace picker_ids;
using skyvault::testing::CurrentDirectory;
using skyvault::testing::TempFolder;
using testing::Items;
using testing::TextOf;
using Writes = std::vector<RecordingSettingsStore::WriteRecord>;
using Names = std::vector<std::wstring>;

class PickerWindowTest : public ::testing::Test {
 protected:
  void Open(const PickerConfiguration& configuration) {
    window = std::make_unique<ImageFilePickerWindow>(GetModuleHandleW(nullptr), configuration,
                                                     store, &platform);
    ASSERT_NE(window->CreateModeless(nullptr), nullptr);
  }
  HWND Control(int id) const { return window->control(id); }
  Names Files() const { return Items(Control(kFilFiles), LB_GETCOUNT, LB_GETTEXT); }
  // Selects item `index` of a list as the user would and sends its notification.
  void Pick(int id, UINT setSelection, WPARAM index, int notification) {
    SendMessageW(Control(id), setSelection, index, 0);
    SendMessageW(window->hwnd(), WM_COMMAND, MAKEWPARAM(id, notification),
                 reinterpret_cast<LPARAM>(Control(id)));
  }
  void PickFile(const wchar_t* name, int notification = LBN_SELCHANGE) {
    const LRESULT index = SendMessageW(Control(kFilFiles), LB_FINDSTRINGEXACT,
                                       static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name));
    ASSERT_GE(index, 0);
    Pick(kFilFiles, LB_SETCURSEL, static_cast<WPARAM>(index), notification);
  }
  void Press(int id) { SendMessageW(Control(id), BM_CLICK, 0, 0); }
  std::string InFolder(const std::string& name) const { return Narrow(folder.path()) + name; }

  TempFolder folder{L"a.bmp", L"B.BMP", L"c.gif", L"d.jpg", L"sub\\e.bmp"};
  CurrentDirectory current{folder.path()};
  RecordingSettingsStore store;
  FakePlatformServices platform;
  std::unique_ptr<ImageFilePickerWindow> window;
};

TEST_F(PickerWindowTest, OpensInTheCurrentDirectoryAndFiltersByType) {
  Open(kGetFile);
  EXPECT_EQ(TextOf(Control(kLblDirName)), folder.path().wstring());
  EXPECT_EQ(SendMessageW(Control(kCboFileType), CB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(Files(), (Names{L"a.bmp", L"B.BMP"}));
  Pick(kCboFileType, CB_SETCURSEL, 3, CBN_SELCHANGE);
  EXPECT_EQ(Files(), (Names{L"a.bmp", L"B.BMP", L"c.gif", L"d.jpg"}));
  Pick(kCboFileType, CB_SETCURSEL, 2, CBN_SELCHANGE);
  EXPECT_EQ(Files(), (Names{L"d.jpg"}));
}

TEST_F(PickerWindowTest, OkStoresTheClickedFilesPathOrTheTypedTextAndHides) {
  Open(kGetFile);
  PickFile(L"B.BMP");
  EXPECT_EQ(TextOf(Control(kTxtFileName)), L"B.BMP");
  Press(kCmdOK);
  EXPECT_EQ(store.writes(), (Writes{{"Startup", "BMPFileName", InFolder("\\B.BMP")}}));
  EXPECT_FALSE(IsWindowVisible(window->hwnd()));
  // The name box reaches the logic: typed text is stored as it stands.
  store.ClearWrites();
  Open(kGetLogo);
  PickFile(L"a.bmp");
  testing::Type(Control(kTxtFileName), L"D:\\art\\logo.bmp");
  Press(kCmdOK);
  EXPECT_EQ(store.writes(), (Writes{{"Startup", "LogoFileName", "D:\\art\\logo.bmp"}}));
}

TEST_F(PickerWindowTest, ASubdirectoryOpenedFromTheDirectoryListJoinsThePath) {
  Open(kGetFile);
  const Names directories = Items(Control(kDirDirectory), LB_GETCOUNT, LB_GETTEXT);
  ASSERT_FALSE(directories.empty());
  ASSERT_NE(directories.back().find(L"sub"), std::wstring::npos);
  Pick(kDirDirectory, LB_SETCURSEL, directories.size() - 1, LBN_DBLCLK);
  EXPECT_EQ(TextOf(Control(kLblDirName)), folder.path().wstring() + L"\\sub");
  EXPECT_EQ(Files(), (Names{L"e.bmp"}));
  PickFile(L"e.bmp", LBN_DBLCLK);  // a double click stores and closes at once
  EXPECT_EQ(store.writes(), (Writes{{"Startup", "BMPFileName", InFolder("\\sub\\e.bmp")}}));
  EXPECT_FALSE(IsWindowVisible(window->hwnd()));
}

}  // namespace
}  // namespace skyvault::win32
