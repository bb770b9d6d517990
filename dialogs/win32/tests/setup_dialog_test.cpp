// The settings dialog as a real Windows dialog, driven by its controls' messages.
#include "dialogs/win32/setup_dialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <set>

#include "dialogs/setup_texts.h"
#include "dialogs/win32/image_file_picker_window.h"
#include "dialogs/win32/setup_controls.h"
#include "dialogs/win32/setup_dialog_ids.h"
#include "platform/testing/fake_platform_services.h"
#include "platform/testing/temp_folder.h"
#include "platform/testing/win32/dialog_input.h"
#include "platform/testing/win32/registry_keys.h"
#include "settings/settings_schema.h"
#include "settings/testing/recording_settings_store.h"
#include "settings/win32/registry_settings_store.h"

namespace skyvault::win32 {
namespace {

using namespace setup_ids;
using skyvault::testing::CurrentDirectory;
using skyvault::testing::TempFolder;
using testing::DeleteKeyTree, testing::WriteString, testing::WriteValue;
using testing::Items;
using testing::TextOf;
using testing::Type;
using Writes = std::vector<RecordingSettingsStore::WriteRecord>;

// Opens the dialog on the first-run values, keeping what opening wrote apart.
class SetupDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFirstRunValues(store, platform.DataFolder());
    store.ClearWrites();
    dialog = std::make_unique<SetupDialog>(GetModuleHandleW(nullptr), store, &platform);
    ASSERT_NE(dialog->Create(), nullptr);
    opening = store.writes();
    store.ClearWrites();
  }
  HWND Control(int id) const { return dialog->control(id); }
  // The writes since opening, as "Section/Key=value; ...".
  std::string Written() const {
    std::string text;
    for (const auto& w : store.writes()) text += w.section + "/" + w.key + "=" + w.value + "; ";
    return text;
  }
  void Click(int id) { SendMessageW(Control(id), BM_CLICK, 0, 0); }
  bool Checked(int id) { return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  void Notify(int id, int code) {
    SendMessageW(GetParent(Control(id)), WM_COMMAND, MAKEWPARAM(id, code),
                 reinterpret_cast<LPARAM>(Control(id)));
  }
  void Scroll(int id, int code, int position = 0) {
    SendMessageW(GetParent(Control(id)), WM_HSCROLL, MAKEWPARAM(code, static_cast<WORD>(position)),
                 reinterpret_cast<LPARAM>(Control(id)));
  }

  RecordingSettingsStore store;
  Writes opening;  // what opening wrote
  FakePlatformServices platform;
  std::unique_ptr<SetupDialog> dialog;
};

// Each control reaches its own handler (what is written is the portable logic's).
TEST_F(SetupDialogTest, EachControlReachesItsOwnHandler) {
  EXPECT_EQ(TextOf(Control(kTxtMessage)), L"Place a Message Here");
  std::set<std::string> keys;  // filling the boxes on opening echoes nothing back
  for (const auto& w : opening) EXPECT_TRUE(keys.insert(w.key).second) << w.key << " written twice";
  for (int id : {kChkLogo, kChkMessage, kChkProp, kChkClock, kChkPowerSave, kOptBakGrnd0})
    Click(id);
  EXPECT_FALSE(IsWindowEnabled(Control(kCmdSelectBG)));
  Click(kOptBakGrnd1);
  EXPECT_FALSE(Checked(kOptBakGrnd0));
  Type(Control(kTxtMessage), L"Hi");
  Type(Control(kTxtFontSize), L"x");
  Scroll(kHsbSpeed, SB_THUMBTRACK, 9);
  Scroll(kHsbMouseS, SB_LINERIGHT);
  // The volume thumb writes where it is let go; an arrow writes its step.
  Scroll(kHsbVolume, SB_THUMBTRACK, -1500);
  Scroll(kHsbVolume, SB_THUMBPOSITION, -2000);
  Scroll(kHsbVolume, SB_ENDSCROLL);
  Scroll(kHsbVolume, SB_LINERIGHT);
  Scroll(kHsbVolume, SB_ENDSCROLL);
  EXPECT_EQ(Written(),
            "Startup/LogoChecked=1; Startup/MessageChecked=1; Startup/Prop=0; Startup/Clock=0; "
            "System/PwrSave=1; Startup/BackGround=1; Startup/BackGround=2; Startup/Message=H; "
            "Startup/Message=Hi; Startup/FontClock=x; Startup/Speed=9; Startup/MouseSens=5; "
            "Startup/Volume=-2000; Startup/Volume=-1975; ");
  EXPECT_EQ(TextOf(Control(kTxtSpeed)), L"9");
  EXPECT_EQ(TextOf(Control(kTxtMouseS)), L"5");
  EXPECT_EQ(GetScrollPos(Control(kHsbVolume), SB_CTL), -1975);
  // About reaches its message; OK closes, writing nothing more.
  store.ClearWrites();
  Click(kCmdAbout);
  ASSERT_EQ(platform.log.size(), 1u);
  EXPECT_EQ(platform.log[0].find("Message(" + std::string(setup_texts::kProductLine) + "\n"), 0u);
  Click(kCmdOK);
  EXPECT_EQ(dialog->hwnd(), nullptr);
  EXPECT_TRUE(store.writes().empty());
}

TEST_F(SetupDialogTest, FourTabsEachShowingItsPage) {
  ASSERT_EQ(SendMessageW(Control(kTab), TCM_GETITEMCOUNT, 0, 0), 4);
  EXPECT_TRUE(IsWindowVisible(dialog->page(0)));
  SendMessageW(Control(kTab), TCM_SETCURFOCUS, 2, 0);
  EXPECT_TRUE(IsWindowVisible(dialog->page(2)));
  EXPECT_FALSE(IsWindowVisible(dialog->page(0)));
}

TEST_F(SetupDialogTest, TypingInTheStopSoundComboWritesNothingChoosingAnEntryDoes) {
  HWND combo = Control(kCboSoundOff);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(combo, &info));
  SetFocus(info.hwndItem);
  Type(info.hwndItem, L"45");  // an entry's text, typed
  EXPECT_EQ(TextOf(combo), L"45");
  EXPECT_TRUE(store.writes().empty());
  // Entry 7 ("15") chosen from the list: the entry's text is stored, not the edit's.
  SendMessageW(combo, CB_SETCURSEL, 7, 0);
  SetWindowTextW(info.hwndItem, L"typed");
  Notify(kCboSoundOff, CBN_SELCHANGE);
  EXPECT_EQ(Written(), "System/SoundOff=15; ");
}

TEST_F(SetupDialogTest, FontListHoldsTheLogicsFontsAndSetsTheSampleFace) {
  HWND fonts = Control(kCboFontsScreen);
  std::vector<std::string> names;
  for (const std::wstring& name : Items(fonts, CB_GETCOUNT, CB_GETLBTEXT))
    names.push_back(Narrow(name));
  ASSERT_GT(names.size(), 3u);
  EXPECT_EQ(names, dialog->logic().fonts());
  EXPECT_EQ(SendMessageW(fonts, CB_GETCURSEL, 0, 0), 3);  // the first-run position
  SendMessageW(fonts, CB_SETCURSEL, 1, 0);
  Notify(kCboFontsScreen, CBN_SELCHANGE);
  EXPECT_EQ(Written(), "Startup/SelectedFont=1; Startup/FontName=" + names[1] + "; ");
  LOGFONTW sample{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Control(kLblSample), WM_GETFONT, 0, 0)),
             sizeof sample, &sample);
  EXPECT_EQ(Narrow(sample.lfFaceName), names[1]);
}

// The modal picker, worked by a timer: notes its title, chooses sky.bmp, presses OK or Cancel.
struct PickerScript {
  bool ok, done = false, picked = false;  // picked: sky.bmp was in the list
  std::wstring shownTitle;
} gScript;

void CALLBACK WorkPicker(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND picker = GetActiveWindow(), files = GetDlgItem(picker, picker_ids::kFilFiles);
  if (!files || !IsWindowVisible(picker) || gScript.done) return;
  gScript.done = true;
  KillTimer(nullptr, timer);
  gScript.shownTitle = TextOf(picker);
  gScript.picked = SendMessageW(files, LB_SELECTSTRING, static_cast<WPARAM>(-1),
                                reinterpret_cast<LPARAM>(L"sky.bmp")) != LB_ERR;
  SendMessageW(picker, WM_COMMAND, MAKEWPARAM(picker_ids::kFilFiles, LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(files));
  SendMessageW(GetDlgItem(picker, gScript.ok ? IDOK : IDCANCEL), BM_CLICK, 0, 0);
}

TEST_F(SetupDialogTest, ThePickersStoreThePathOnOkAndNothingOnCancel) {
  TempFolder folder{L"sky.bmp"};
  CurrentDirectory current{folder.path()};
  const std::string sky = Narrow(folder.path()) + "\\sky.bmp";
  for (const auto& [button, title, ok, box, stored] :
       {std::tuple{kCmdSelectBG, L"Select Your Background", true, kTxtBGFile, sky},
        {kCmdSelectLogo, L"Select Your Logo", false, kTxtLogo,
         std::string("C:\\Hallowmere\\Skyvault1\\Tarnwing1.bmp")}}) {
    gScript = {ok};
    SetTimer(nullptr, 0, 20, WorkPicker);
    Click(button);
    EXPECT_EQ(gScript.shownTitle + (gScript.picked ? L"" : L" (no sky.bmp)"), title);
    EXPECT_EQ(Narrow(TextOf(Control(box))), stored);
  }
  EXPECT_EQ(Written(), "Startup/BMPFileName=" + sky + "; ");
}

// Values of every wrong kind: the dialog opens, shows them as best it can, rewrites none.
TEST(SetupDialogRegistry, AHostileRegistryNeitherCrashesNorIsRewritten) {
  const std::wstring root = L"Software\\SkyvaultTests\\Dialog";
  DeleteKeyTree(root);
  const BYTE junk[] = {0xFF, 0x00, 0x13, 0x37};
  WriteValue(root, "Startup", "Speed", REG_BINARY, junk, sizeof junk);
  const DWORD big = 4000000000u;
  WriteValue(root, "Startup", "Volume", REG_DWORD, &big, 4);
  const std::vector<std::pair<std::string, std::string>> texts = {
      {"MouseSens", "-32769"},
      {"SelectedFont", "9999"},
      {"FontName", std::string(5000, 'x')},
      {"Message", std::string(40000, 'm')},
      {"BMPFileName", "\u00e9\u4e2d:\\<>|?*"}};
  for (const auto& [name, value] : texts) WriteString(root, "Startup", name, value);
  WriteString(root, "System", "SetReg", "2");
  const auto snapshot = [&] {
    RegistrySettingsStore reader(root);
    std::vector<std::string> values = {reader.Read("Startup", "Speed", "?"),
                                       reader.Read("Startup", "Volume", "?")};
    for (const auto& [name, value] : texts) values.push_back(reader.Read("Startup", name, "?"));
    return values;
  };
  const auto before = snapshot();
  {
    RegistrySettingsStore store(root);
    FakePlatformServices platform;
    SetupDialog dialog(GetModuleHandleW(nullptr), store, &platform);
    ASSERT_NE(dialog.Create(), nullptr);
    EXPECT_EQ(GetScrollPos(dialog.control(kHsbMouseS), SB_CTL), 2);
    EXPECT_EQ(TextOf(dialog.control(kTxtSpeed)), L"2");
    EXPECT_EQ(GetWindowTextLengthW(dialog.control(kTxtMessage)), 40000);
  }
  EXPECT_EQ(snapshot(), before);
  DeleteKeyTree(root);
}

}  // namespace
}  // namespace skyvault::win32
