// The settings dialog as a real Windows dialog, driven by the messages its
// controls send when the user works them.
#include "dialogs/win32/setup_dialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "dialogs/setup_texts.h"
#include "dialogs/win32/image_file_picker_window.h"
#include "dialogs/win32/setup_dialog_ids.h"
#include "dialogs/win32/tests/win32_test_support.h"
#include "platform/fake_platform_services.h"
#include "settings/memory_settings_store.h"
#include "settings/settings_schema.h"
#include "settings/win32/registry_settings_store.h"

namespace skyvault::win32 {
namespace {

using namespace setup_ids;
using testing_support::TempFolder;
using testing_support::TextOf;
using Write = MemorySettingsStore::WriteRecord;

class SetupDialogTest : public ::testing::Test {
 protected:
  void Open() {
    dialog = std::make_unique<SetupDialog>(GetModuleHandleW(nullptr), store, &platform);
    ASSERT_NE(dialog->Create(), nullptr);
  }
  HWND Control(int id) const { return dialog->control(id); }
  void ShowTab(int index) {
    SendMessageW(Control(kTab), TCM_SETCURFOCUS, static_cast<WPARAM>(index), 0);
  }
  void Click(int id) { SendMessageW(Control(id), BM_CLICK, 0, 0); }
  void Scroll(int barId, int code, int position) {
    HWND bar = Control(barId);
    SendMessageW(GetParent(bar), WM_HSCROLL, MAKEWPARAM(code, static_cast<WORD>(position)),
                 reinterpret_cast<LPARAM>(bar));
  }
  void TypeInto(HWND edit, const std::wstring& keys) {
    for (wchar_t c : keys) SendMessageW(edit, WM_CHAR, c, 1);
  }
  std::vector<Write> WritesTo(const std::string& key) const {
    std::vector<Write> found;
    for (const Write& w : store.writes()) {
      if (w.key == key) found.push_back(w);
    }
    return found;
  }

  MemorySettingsStore store;
  FakePlatformServices platform;
  std::unique_ptr<SetupDialog> dialog;
};

TEST_F(SetupDialogTest, CaptionsTabsAndButtonsAreThoseOfTheDialog) {
  Open();
  EXPECT_EQ(TextOf(dialog->hwnd()), L"Skyvault1 Control Box   www.hallowmere.com  ");
  HWND tab = Control(kTab);
  ASSERT_EQ(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0), 4);
  const wchar_t* tabs[] = {L"Aircraft", L"BackGround", L"Logo/Message", L"Help"};
  for (int i = 0; i < 4; ++i) {
    wchar_t text[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(tab, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, tabs[i]);
  }
  EXPECT_EQ(SendMessageW(tab, TCM_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(IsWindowVisible(dialog->page(0)));
  EXPECT_FALSE(IsWindowVisible(dialog->page(1)));
  EXPECT_EQ(TextOf(Control(kCmdAbout)), L"&About");
  EXPECT_EQ(TextOf(Control(kCmdHelp)), L"&HELP");
  EXPECT_EQ(TextOf(Control(kCmdOK)), L"&OK");
  EXPECT_EQ(TextOf(Control(kLblStopSound)), L"Stop sound after:                    min.");
  EXPECT_EQ(TextOf(Control(kLblBackgroundFolder)), L" C:\\Hallowmere\\Skyvault");
  EXPECT_EQ(TextOf(Control(kCmdSelectLogo)), L"Select &Logo");
  EXPECT_EQ(TextOf(Control(kHelpFirst + 4)), L"Why is it slow loading the settings screen?");
  // No minimise or maximise box, no sizing border.
  const LONG_PTR style = GetWindowLongPtrW(dialog->hwnd(), GWL_STYLE);
  EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
}

TEST_F(SetupDialogTest, TabsShowTheirOwnPage) {
  Open();
  ShowTab(2);
  EXPECT_TRUE(IsWindowVisible(dialog->page(2)));
  EXPECT_FALSE(IsWindowVisible(dialog->page(0)));
  ShowTab(3);
  EXPECT_TRUE(IsWindowVisible(Control(kHelpFirst)));
}

TEST_F(SetupDialogTest, ClientAreaAndTabControlFollowTheTwipsAtTheWindowsDpi) {
  Open();
  const UINT dpi = WindowDpi(dialog->hwnd());
  RECT client{};
  GetClientRect(dialog->hwnd(), &client);
  EXPECT_EQ(client.right, TwipsToPixels(8955, dpi));
  EXPECT_EQ(client.bottom, TwipsToPixels(6075, dpi));
  RECT tab{};
  GetWindowRect(Control(kTab), &tab);
  MapWindowPoints(nullptr, dialog->hwnd(), reinterpret_cast<POINT*>(&tab), 2);
  EXPECT_EQ(tab.left, TwipsToPixels(75, dpi));
  EXPECT_EQ(tab.top, TwipsToPixels(30, dpi));
  EXPECT_EQ(tab.right - tab.left, TwipsToPixels(8805, dpi));
  EXPECT_EQ(tab.bottom - tab.top, TwipsToPixels(5295, dpi));
  // OK at the right end of the button bar, About at the left.
  RECT ok{}, about{};
  GetWindowRect(Control(kCmdOK), &ok);
  GetWindowRect(Control(kCmdAbout), &about);
  MapWindowPoints(nullptr, dialog->hwnd(), reinterpret_cast<POINT*>(&ok), 2);
  MapWindowPoints(nullptr, dialog->hwnd(), reinterpret_cast<POINT*>(&about), 2);
  EXPECT_GT(ok.top, tab.bottom);
  EXPECT_LE(ok.right, client.right);
  EXPECT_GT(ok.left, client.right / 2);
  EXPECT_LT(about.left, ok.left);
}

TEST_F(SetupDialogTest, BackgroundOptionsWriteTheirNumberAndSwitchSelectBackground) {
  SetRegistry(store);
  Open();
  ShowTab(1);
  EXPECT_TRUE(IsWindowEnabled(Control(kCmdSelectBG)));
  store.ClearWrites();
  Click(kOptBakGrnd0);
  EXPECT_EQ(store.Read("Startup", "BackGround", "?"), "1");
  EXPECT_FALSE(IsWindowEnabled(Control(kCmdSelectBG)));
  EXPECT_EQ(SendMessageW(Control(kOptBakGrnd0), BM_GETCHECK, 0, 0), BST_CHECKED);
  Click(kOptBakGrnd1);
  EXPECT_EQ(store.Read("Startup", "BackGround", "?"), "2");
  EXPECT_FALSE(IsWindowEnabled(Control(kCmdSelectBG)));
  EXPECT_EQ(SendMessageW(Control(kOptBakGrnd0), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  Click(kOptBakGrnd2);
  EXPECT_EQ(store.Read("Startup", "BackGround", "?"), "3");
  EXPECT_TRUE(IsWindowEnabled(Control(kCmdSelectBG)));
  EXPECT_EQ(WritesTo("BackGround"), (std::vector<Write>{{"Startup", "BackGround", "1"},
                                                        {"Startup", "BackGround", "2"},
                                                        {"Startup", "BackGround", "3"}}));
}

TEST_F(SetupDialogTest, ThumbTrackingTheSpeedBarWritesAndShowsEveryValue) {
  SetRegistry(store);
  Open();
  store.ClearWrites();
  for (int v = 2; v <= 100; ++v) {
    Scroll(kHsbSpeed, SB_THUMBTRACK, v);
    ASSERT_EQ(store.Read("Startup", "Speed", "?"), std::to_string(v));
    ASSERT_EQ(TextOf(Control(kTxtSpeed)), std::to_wstring(v));
  }
  EXPECT_EQ(WritesTo("Speed").size(), 99u);
  EXPECT_EQ(GetScrollPos(Control(kHsbSpeed), SB_CTL), 100);
  Scroll(kHsbMouseS, SB_THUMBTRACK, 9);
  EXPECT_EQ(store.Read("Startup", "MouseSens", "?"), "9");
  EXPECT_EQ(TextOf(Control(kTxtMouseS)), L"9");
}

TEST_F(SetupDialogTest, TheVolumeBarWritesOnceOnRelease) {
  SetRegistry(store);
  Open();
  EXPECT_EQ(GetScrollPos(Control(kHsbVolume), SB_CTL), -748);
  store.ClearWrites();
  for (int v = -760; v >= -2000; v -= 40) Scroll(kHsbVolume, SB_THUMBTRACK, v);
  EXPECT_TRUE(WritesTo("Volume").empty());
  Scroll(kHsbVolume, SB_THUMBPOSITION, -2000);
  Scroll(kHsbVolume, SB_ENDSCROLL, 0);
  EXPECT_EQ(WritesTo("Volume"), (std::vector<Write>{{"Startup", "Volume", "-2000"}}));
  // An arrow step writes its new value.
  Scroll(kHsbVolume, SB_LINERIGHT, 0);
  Scroll(kHsbVolume, SB_ENDSCROLL, 0);
  EXPECT_EQ(WritesTo("Volume").size(), 2u);
  EXPECT_EQ(store.Read("Startup", "Volume", "?"), "-1975");
}

TEST_F(SetupDialogTest, TypingInTheStopSoundComboWritesNothingChoosingAnEntryDoes) {
  SetRegistry(store);
  Open();
  HWND combo = Control(kCboSoundOff);
  EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 20);
  EXPECT_EQ(TextOf(combo), L"Never");
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(combo, &info));
  store.ClearWrites();
  SetFocus(info.hwndItem);
  SendMessageW(info.hwndItem, EM_SETSEL, 0, -1);
  TypeInto(info.hwndItem, L"45");
  EXPECT_EQ(TextOf(combo), L"45");
  EXPECT_TRUE(store.writes().empty());
  EXPECT_EQ(store.Read("System", "SoundOff", "?"), "Never");
  // Choosing entry 7 ("15") from the list stores the entry's text, not the edit's.
  SendMessageW(combo, CB_SETCURSEL, 7, 0);
  SetWindowTextW(info.hwndItem, L"typed");
  SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(kCboSoundOff, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
  EXPECT_EQ(store.writes(), (std::vector<Write>{{"System", "SoundOff", "15"}}));
}

TEST_F(SetupDialogTest, TextBoxesWriteEachKeystrokeAndLoadingWritesOnce) {
  SetRegistry(store);
  store.ClearWrites();
  Open();
  EXPECT_EQ(WritesTo("Message").size(), 1u);  // the load, not an echo of setting the box
  EXPECT_EQ(TextOf(Control(kTxtMessage)), L"Place a Message Here");
  store.ClearWrites();
  HWND message = Control(kTxtMessage);
  SendMessageW(message, EM_SETSEL, 0, -1);
  TypeInto(message, L"Hi!");
  EXPECT_EQ(store.writes(), (std::vector<Write>{{"Startup", "Message", "H"},
                                                {"Startup", "Message", "Hi"},
                                                {"Startup", "Message", "Hi!"}}));
  store.ClearWrites();
  HWND size = Control(kTxtFontSize);
  SendMessageW(size, EM_SETSEL, 0, -1);
  TypeInto(size, L"xl");
  EXPECT_EQ(store.Read("Startup", "FontClock", "?"), "xl");
}

TEST_F(SetupDialogTest, CheckBoxesWriteTheirState) {
  SetRegistry(store);
  Open();
  store.ClearWrites();
  ShowTab(2);
  Click(kChkLogo);
  Click(kChkMessage);
  ShowTab(0);
  Click(kChkPowerSave);
  Click(kChkProp);
  ShowTab(1);
  Click(kChkClock);
  EXPECT_EQ(store.writes(), (std::vector<Write>{{"Startup", "LogoChecked", "1"},
                                                {"Startup", "MessageChecked", "1"},
                                                {"System", "PwrSave", "1"},
                                                {"Startup", "Prop", "0"},
                                                {"Startup", "Clock", "0"}}));
}

TEST_F(SetupDialogTest, FontListHoldsTheFirstScreenFontsSortedWithTheStoredOneChosen) {
  SetRegistry(store);
  Open();
  HWND fonts = Control(kCboFontsScreen);
  const int count = static_cast<int>(SendMessageW(fonts, CB_GETCOUNT, 0, 0));
  ASSERT_GT(count, 3);
  EXPECT_LE(count, 40);
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) {
    wchar_t name[LF_FACESIZE + 1] = {};
    SendMessageW(fonts, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(name));
    names.push_back(Narrow(name));
  }
  EXPECT_EQ(names, dialog->logic().fonts());
  EXPECT_EQ(SendMessageW(fonts, CB_GETCURSEL, 0, 0), 3);
  EXPECT_EQ(store.Read("Startup", "FontName", "?"), names[3]);
  store.ClearWrites();
  SendMessageW(fonts, CB_SETCURSEL, 1, 0);
  SendMessageW(GetParent(fonts), WM_COMMAND, MAKEWPARAM(kCboFontsScreen, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(fonts));
  EXPECT_EQ(store.writes(), (std::vector<Write>{{"Startup", "SelectedFont", "1"},
                                                {"Startup", "FontName", names[1]}}));
  LOGFONTW sample{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Control(kLblSample), WM_GETFONT, 0, 0)),
             sizeof sample, &sample);
  EXPECT_EQ(Narrow(sample.lfFaceName), names[1]);
  EXPECT_EQ(sample.lfHeight, -MulDiv(1350, static_cast<int>(WindowDpi(dialog->hwnd())), 7200));
}

TEST_F(SetupDialogTest, AboutAndHelpUseTheirServices) {
  Open();
  Click(kCmdAbout);
  ASSERT_EQ(platform.log.size(), 1u);
  EXPECT_EQ(platform.log[0].find("Message(" + std::string(setup_texts::kProductLine) + "\n"), 0u);
}

TEST_F(SetupDialogTest, OkClosesTheDialogWithoutWriting) {
  SetRegistry(store);
  Open();
  store.ClearWrites();
  Click(kCmdOK);
  EXPECT_EQ(dialog->hwnd(), nullptr);
  EXPECT_TRUE(store.writes().empty());
}

// The picker opened from the dialog is modal: a timer drives it meanwhile.
HWND FindPicker(const wchar_t* title) {
  struct Search {
    const wchar_t* title;
    HWND found;
  } search{title, nullptr};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        if (IsWindowVisible(hwnd) && TextOf(hwnd) == s->title) {
          s->found = hwnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

struct PickerScript {
  const wchar_t* title;
  const wchar_t* file;  // null: press Cancel
  bool done;
};
PickerScript* gScript = nullptr;

void CALLBACK DrivePicker(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND picker = FindPicker(gScript->title);
  if (!picker || gScript->done) return;
  gScript->done = true;
  KillTimer(nullptr, timer);
  if (gScript->file) {
    HWND files = GetDlgItem(picker, picker_ids::kFilFiles);
    const LRESULT index =
        SendMessageW(files, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(gScript->file));
    SendMessageW(files, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(picker, WM_COMMAND, MAKEWPARAM(picker_ids::kFilFiles, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(files));
    SendMessageW(GetDlgItem(picker, IDOK), BM_CLICK, 0, 0);
  } else {
    SendMessageW(GetDlgItem(picker, IDCANCEL), BM_CLICK, 0, 0);
  }
}

TEST_F(SetupDialogTest, SelectBackgroundStoresThePickedPathAndShowsIt) {
  TempFolder folder(L"skyvault_setup_pick");
  folder.AddFile(L"sky.bmp");
  SetCurrentDirectoryW(folder.path().c_str());
  SetRegistry(store);
  Open();
  ShowTab(1);
  PickerScript script{L"Form1", L"sky.bmp", false};
  gScript = &script;
  SetTimer(nullptr, 0, 20, DrivePicker);
  Click(kCmdSelectBG);
  EXPECT_TRUE(script.done);
  const std::string expected = Narrow(folder.path()) + "\\sky.bmp";
  EXPECT_EQ(store.Read("Startup", "BMPFileName", "?"), expected);
  EXPECT_EQ(Narrow(TextOf(Control(kTxtBGFile))), expected);
  EXPECT_EQ(FindPicker(L"Form1"), nullptr);
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  SetCurrentDirectoryW(temp);
}

TEST_F(SetupDialogTest, CancelInTheLogoPickerLeavesTheLogo) {
  SetRegistry(store);
  Open();
  ShowTab(2);
  store.ClearWrites();
  PickerScript script{L"Select Your Logo", nullptr, false};
  gScript = &script;
  SetTimer(nullptr, 0, 20, DrivePicker);
  Click(kCmdSelectLogo);
  EXPECT_TRUE(script.done);
  EXPECT_TRUE(store.writes().empty());
  EXPECT_EQ(TextOf(Control(kTxtLogo)), L"C:\\Hallowmere\\Skyvault1\\Tarnwing1.bmp");
}

// A registry holding values of every wrong kind: the dialog opens, shows
// them as best it can and rewrites none of them.
TEST(SetupDialogRegistry, AHostileRegistryNeitherCrashesNorIsRewritten) {
  const std::wstring root = L"Software\\SkyvaultTests\\Dialog";
  RegDeleteTreeW(HKEY_CURRENT_USER, root.c_str());
  HKEY startup = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, (root + L"\\Startup").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                  nullptr, &startup, nullptr);
  const auto text = [&](const wchar_t* name, const std::wstring& value) {
    RegSetValueExW(startup, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  };
  const BYTE junk[] = {0xFF, 0x00, 0x13, 0x37};
  RegSetValueExW(startup, L"Speed", 0, REG_BINARY, junk, sizeof junk);
  const DWORD big = 4000000000u;
  RegSetValueExW(startup, L"Volume", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&big), 4);
  text(L"MouseSens", L"-32769");
  text(L"Prop", L"on");
  text(L"Clock", L"NaN");
  text(L"LogoChecked", L"7");
  text(L"MessageChecked", L"");
  text(L"BackGround", L"-1e308");
  text(L"SelectedFont", L"9999");
  text(L"FontName", std::wstring(5000, L'x'));
  text(L"Message", std::wstring(40000, L'm'));
  text(L"BMPFileName", L"\x00e9\x4e2d:\\<>|?*");
  RegCloseKey(startup);

  const auto snapshot = [&] {
    RegistrySettingsStore reader(root);
    std::vector<std::string> values;
    for (const char* key : {"Volume", "MouseSens", "Prop", "Clock", "LogoChecked",
                            "MessageChecked", "BackGround", "SelectedFont", "FontName",
                            "Message", "BMPFileName"}) {
      values.push_back(reader.Read("Startup", key, "<missing>"));
    }
    return values;
  };
  const auto before = snapshot();
  {
    RegistrySettingsStore store(root);
    FakePlatformServices platform;
    SetupDialog dialog(GetModuleHandleW(nullptr), store, &platform);
    ASSERT_NE(dialog.Create(), nullptr);
    EXPECT_EQ(GetScrollPos(dialog.control(kHsbSpeed), SB_CTL), 2);
    EXPECT_EQ(GetScrollPos(dialog.control(kHsbMouseS), SB_CTL), 2);
    EXPECT_EQ(TextOf(dialog.control(kTxtSpeed)), L"2");
    EXPECT_FALSE(IsWindowEnabled(dialog.control(kCmdSelectBG)));
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(SendMessageW(dialog.control(kOptBakGrnd0 + i), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    }
    EXPECT_EQ(SendMessageW(dialog.control(kChkLogo), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(dialog.control(kChkProp), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(GetWindowTextLengthW(dialog.control(kTxtMessage)), 40000);
  }
  EXPECT_EQ(snapshot(), before);
  RegDeleteTreeW(HKEY_CURRENT_USER, root.c_str());
}

}  // namespace
}  // namespace skyvault::win32
