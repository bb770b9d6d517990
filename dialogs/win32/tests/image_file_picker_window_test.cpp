// The image file picker as a Windows dialog: its lists, and the path it
// stores on OK.
#include "dialogs/win32/image_file_picker_window.h"

#include <gtest/gtest.h>

#include "dialogs/win32/tests/win32_test_support.h"
#include "platform/fake_platform_services.h"
#include "settings/memory_settings_store.h"

namespace skyvault::win32 {
namespace {

using namespace picker_ids;
using testing_support::TempFolder;
using testing_support::TextOf;
using Write = MemorySettingsStore::WriteRecord;

class PickerWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    previous_ = previous;
    folder.AddFile(L"a.bmp");
    folder.AddFile(L"B.BMP");
    folder.AddFile(L"c.gif");
    folder.AddFile(L"d.jpg");
    folder.AddFolder(L"sub");
    folder.AddFile(L"sub\\e.bmp");
    SetCurrentDirectoryW(folder.path().c_str());
  }
  void TearDown() override {
    window.reset();
    SetCurrentDirectoryW(previous_.c_str());
  }
  void Open(const PickerConfiguration& configuration) {
    window = std::make_unique<ImageFilePickerWindow>(GetModuleHandleW(nullptr), configuration,
                                                     store, &platform);
    ASSERT_NE(window->CreateModeless(nullptr), nullptr);
  }
  HWND Control(int id) const { return window->control(id); }
  std::vector<std::wstring> Items(int id, UINT count, UINT get) const {
    std::vector<std::wstring> items;
    HWND list = Control(id);
    const LRESULT n = SendMessageW(list, count, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
      wchar_t text[MAX_PATH] = {};
      SendMessageW(list, get, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      items.push_back(text);
    }
    return items;
  }
  std::vector<std::wstring> Files() const { return Items(kFilFiles, LB_GETCOUNT, LB_GETTEXT); }
  void Select(int id, UINT setSelection, int index, int notification) {
    HWND list = Control(id);
    SendMessageW(list, setSelection, static_cast<WPARAM>(index), 0);
    SendMessageW(window->hwnd(), WM_COMMAND, MAKEWPARAM(id, notification),
                 reinterpret_cast<LPARAM>(list));
  }
  void ClickFile(const std::wstring& name, int notification = LBN_SELCHANGE) {
    const LRESULT index = SendMessageW(Control(kFilFiles), LB_FINDSTRINGEXACT,
                                       static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(name.c_str()));
    ASSERT_GE(index, 0) << Narrow(name);
    Select(kFilFiles, LB_SETCURSEL, static_cast<int>(index), notification);
  }
  void Press(int id) { SendMessageW(Control(id), BM_CLICK, 0, 0); }

  TempFolder folder{L"skyvault_picker"};
  MemorySettingsStore store;
  FakePlatformServices platform;
  std::unique_ptr<ImageFilePickerWindow> window;
  std::wstring previous_;
};

TEST_F(PickerWindowTest, OpensInTheCurrentDirectoryShowingBitmaps) {
  Open(kGetFile);
  EXPECT_EQ(TextOf(window->hwnd()), L"Form1");
  EXPECT_EQ(TextOf(Control(kLblDirName)), folder.path());
  EXPECT_EQ(TextOf(Control(kTxtFileName)), L"");
  EXPECT_EQ(Files(), (std::vector<std::wstring>{L"a.bmp", L"B.BMP"}));
  EXPECT_EQ(Items(kCboFileType, CB_GETCOUNT, CB_GETLBTEXT),
            (std::vector<std::wstring>{L"BMP files (*.BMP)", L"GIF files (*.GIF)",
                                       L"JPG files (*.JPG)", L"All files (*.*)"}));
  EXPECT_EQ(SendMessageW(Control(kCboFileType), CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(TextOf(Control(kLblFileName)), L"File Name:");
  EXPECT_EQ(TextOf(Control(kLblDirectories)), L"Directories:");
  EXPECT_EQ(TextOf(Control(kCmdCancel)), L"&Cancel");
  // The directory list ends with the current directory's subdirectory.
  const auto directories = Items(kDirDirectory, LB_GETCOUNT, LB_GETTEXT);
  ASSERT_FALSE(directories.empty());
  EXPECT_NE(directories.back().find(L"sub"), std::wstring::npos);
}

TEST_F(PickerWindowTest, FileTypesFilterTheFileList) {
  Open(kGetFile);
  Select(kCboFileType, CB_SETCURSEL, 3, CBN_SELCHANGE);
  EXPECT_EQ(Files(), (std::vector<std::wstring>{L"a.bmp", L"B.BMP", L"c.gif", L"d.jpg"}));
  Select(kCboFileType, CB_SETCURSEL, 2, CBN_SELCHANGE);
  EXPECT_EQ(Files(), (std::vector<std::wstring>{L"d.jpg"}));
}

TEST_F(PickerWindowTest, OkStoresTheClickedFilesFullPathAndHides) {
  Open(kGetFile);
  ClickFile(L"B.BMP");
  EXPECT_EQ(TextOf(Control(kTxtFileName)), L"B.BMP");
  Press(kCmdOK);
  EXPECT_EQ(store.writes(),
            (std::vector<Write>{{"Startup", "BMPFileName", Narrow(folder.path()) + "\\B.BMP"}}));
  EXPECT_FALSE(IsWindowVisible(window->hwnd()));
}

TEST_F(PickerWindowTest, CancelStoresNothing) {
  Open(kGetFile);
  ClickFile(L"a.bmp");
  Press(kCmdCancel);
  EXPECT_TRUE(store.writes().empty());
  EXPECT_FALSE(IsWindowVisible(window->hwnd()));
}

TEST_F(PickerWindowTest, ASubdirectoryOpenedByDoubleClickJoinsThePath) {
  Open(kGetFile);
  const auto directories = Items(kDirDirectory, LB_GETCOUNT, LB_GETTEXT);
  Select(kDirDirectory, LB_SETCURSEL, static_cast<int>(directories.size() - 1), LBN_DBLCLK);
  EXPECT_EQ(TextOf(Control(kLblDirName)), folder.path() + L"\\sub");
  EXPECT_EQ(Files(), (std::vector<std::wstring>{L"e.bmp"}));
  ClickFile(L"e.bmp", LBN_DBLCLK);  // a double-click stores and closes at once
  EXPECT_EQ(store.writes(), (std::vector<Write>{{"Startup", "BMPFileName",
                                                 Narrow(folder.path()) + "\\sub\\e.bmp"}}));
  EXPECT_FALSE(IsWindowVisible(window->hwnd()));
}

TEST_F(PickerWindowTest, ATypedFullPathIsStoredAsTyped) {
  Open(kGetLogo);
  EXPECT_EQ(TextOf(window->hwnd()), L"Select Your Logo");
  ClickFile(L"a.bmp");
  HWND name = Control(kTxtFileName);
  SendMessageW(name, EM_SETSEL, 0, -1);
  for (wchar_t c : std::wstring(L"D:\\art\\logo.bmp")) SendMessageW(name, WM_CHAR, c, 1);
  Press(kCmdOK);
  EXPECT_EQ(store.writes(), (std::vector<Write>{{"Startup", "LogoFileName", "D:\\art\\logo.bmp"}}));
}

TEST_F(PickerWindowTest, OkWithoutANameAsksAndStaysOpen) {
  Open(kGetFile);
  Press(kCmdOK);
  EXPECT_EQ(platform.log, (std::vector<std::string>{"Message(You must first select a file! | Skyvault)"}));
  EXPECT_TRUE(store.writes().empty());
  EXPECT_TRUE(IsWindowVisible(window->hwnd()));
}

TEST_F(PickerWindowTest, LayoutFollowsTheTwipsOfEachConfiguration) {
  for (const PickerConfiguration* configuration : {&kGetFile, &kGetLogo}) {
    Open(*configuration);
    const UINT dpi = WindowDpi(window->hwnd());
    const PickerLayout& l = configuration->layout;
    RECT client{};
    GetClientRect(window->hwnd(), &client);
    EXPECT_EQ(client.right, TwipsToPixels(l.clientWidth, dpi)) << configuration->name;
    EXPECT_EQ(client.bottom, TwipsToPixels(l.clientHeight, dpi)) << configuration->name;
    const auto at = [&](int id) {
      RECT r{};
      GetWindowRect(Control(id), &r);
      MapWindowPoints(nullptr, window->hwnd(), reinterpret_cast<POINT*>(&r), 2);
      return r;
    };
    const RECT files = at(kFilFiles);
    EXPECT_EQ(files.left, TwipsToPixels(l.leftColumnX, dpi));
    EXPECT_EQ(files.top, TwipsToPixels(l.listsY, dpi));
    EXPECT_EQ(files.right - files.left, TwipsToPixels(kPickerColumnWidth, dpi));
    EXPECT_EQ(files.bottom - files.top, TwipsToPixels(kFileListHeight, dpi));
    const RECT directories = at(kDirDirectory);
    EXPECT_EQ(directories.left, TwipsToPixels(l.rightColumnX, dpi));
    EXPECT_EQ(directories.bottom - directories.top, TwipsToPixels(kDirectoryListHeight, dpi));
    EXPECT_EQ(at(kCmdCancel).left, TwipsToPixels(l.cancelX, dpi));
    EXPECT_EQ(at(kCmdOK).left, TwipsToPixels(l.okX, dpi));
    EXPECT_EQ(at(kCmdOK).top, TwipsToPixels(l.buttonsY, dpi));
    window.reset();
  }
}

}  // namespace
}  // namespace skyvault::win32
