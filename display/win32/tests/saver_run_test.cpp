#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "display/win32/tests/registry_snapshot.h"
#include "display/win32/tests/screen_capture.h"
#include "settings/settings_schema.h"
#include "startup/win32/tests/saver_process.h"

// The real skyvault.scr started as Windows starts it, on the settings key
// it always uses; the key is saved before each test and put back after.

namespace skyvault::win32 {
namespace {

using testing::CanvasPlacement;
using testing::Colour;
using testing::DeleteKeyTree;
using testing::Picture;
using testing::PumpMessages;
using testing::ReadString;
using testing::RegistryKeySnapshot;
using testing::SaverProcess;
using testing::WriteString;
using testing::WriteValue;

const std::wstring kSaverKey = L"Software\\Skyvault";

// The running mark as another process left it. Wine keeps system
// parameters in a per-process cache filled from a volatile registry value,
// so there the value itself is read; Windows answers SPI at once.
bool ScreenSaverMarked() {
  wchar_t text[8] = {};
  DWORD bytes = sizeof text;
  if (RegGetValueW(
          HKEY_CURRENT_USER, L"Software\\Wine\\Temporary System Parameters\\Control Panel\\Desktop",
          L"WINE_ScreenSaverRunning", RRF_RT_REG_SZ, nullptr, text, &bytes) == ERROR_SUCCESS) {
    return text[0] == L'1';
  }
  BOOL running = FALSE;
  SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
  return running != FALSE;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

// Ways of ending the saver from outside its process.
void PostKey(HWND window) { PostMessageW(window, WM_KEYDOWN, 'A', 0); }
void PostButton(HWND window) { PostMessageW(window, WM_LBUTTONDOWN, 0, MAKELPARAM(50, 50)); }
void TypeKey(HWND window) {
  SetForegroundWindow(window);
  INPUT keys[2] = {};
  keys[0].type = keys[1].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = keys[1].ki.wVk = 'B';
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, keys, sizeof(INPUT));
}

class SaverRunTest : public ::testing::Test {
 protected:
  SaverRunTest() : saved_(kSaverKey) {}
  void SetUp() override { DeleteKeyTree(kSaverKey); }

 private:
  RegistryKeySnapshot saved_;
};

// The canvas pixels of `area` (canvas coordinates) that differ clearly from
// the bridge picture.
struct Differences {
  int count = 0;
  int leftmost = 800;
};
Differences DifferencesFromPicture(const Picture& shot, const CanvasPlacement& place,
                                   const Picture& picture, RECT area, int threshold) {
  Differences found;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      const POINT at = place.ToScreen(x, y);
      if (testing::Distance(shot.At(at.x, at.y), picture.At(x, y)) > threshold) {
        ++found.count;
        found.leftmost = std::min(found.leftmost, x);
      }
    }
  }
  return found;
}

TEST_F(SaverRunTest, FirstRunWritesTheStoreShowsTheBridgeFliesAndAKeyEndsIt) {
  SaverProcess saver(L"/s");
  ASSERT_TRUE(saver.started());
  HWND display = saver.WaitForTopWindow(20000);
  ASSERT_NE(display, nullptr) << "the saver showed no window";

  for (const SettingEntry& entry : kFirstRunValues) {
    EXPECT_EQ(ReadString(kSaverKey, entry.section, entry.key), entry.firstRunValue)
        << entry.section << "\\" << entry.key;
  }
  EXPECT_TRUE(ScreenSaverMarked());

  RECT screen{};
  GetWindowRect(display, &screen);
  const CanvasPlacement place(screen.right - screen.left, screen.bottom - screen.top);
  PumpMessages(1200);
  const Picture early = Picture::CaptureScreen(screen);
  PumpMessages(1500);
  const Picture later = Picture::CaptureScreen(screen);
  const Picture bridge = Picture::LoadBitmapFile(Widen(SKYVAULT_DATA "/Bridge.bmp"));
  ASSERT_FALSE(early.empty());
  ASSERT_FALSE(bridge.empty());
  ASSERT_EQ(bridge.width(), 800);

  // Black bars beside the canvas (the screen is wider than 4:3).
  if (place.left > 0) {
    for (int y = 0; y < early.height(); y += 50) {
      EXPECT_EQ(testing::Distance(early.At(place.left / 2, y), Colour{}), 0) << y;
    }
  }
  // The bridge fills the canvas: its lower part, where no aircraft flies in
  // the first seconds, matches the picture (16-bit colour allows a little).
  for (const Picture* shot : {&early, &later}) {
    const Differences lower =
        DifferencesFromPicture(*shot, place, bridge, RECT{0, 320, 800, 560}, 24);
    EXPECT_LT(lower.count, 800 * 240 / 50) << "the bridge is not on the screen";
  }
  // The clock in yellow at the top left.
  int yellow = 0;
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 120; ++x) {
      const POINT at = place.ToScreen(x, y);
      const Colour c = later.At(at.x, at.y);
      if (c.r > 200 && c.g > 200 && c.b < 90) ++yellow;
    }
  }
  EXPECT_GT(yellow, 30) << "no clock";
  // Aircraft 1 comes in from the right at the height of 180 and flies left.
  const RECT band{300, 140, 800, 300};
  const Differences first = DifferencesFromPicture(early, place, bridge, band, 48);
  const Differences second = DifferencesFromPicture(later, place, bridge, band, 48);
  EXPECT_GT(first.count, 200) << "no aircraft in from the right";
  EXPECT_GT(second.count, 200);
  EXPECT_LT(second.leftmost, first.leftmost - 20) << "the aircraft did not fly left";

  PostKey(display);
  EXPECT_TRUE(saver.WaitForExit(1000)) << "a key did not end the saver within a second";
  EXPECT_EQ(saver.exitCode(), 0u);
  EXPECT_FALSE(ScreenSaverMarked()) << "the running mark was left set";
}

// Hostile settings: the saver starts, shows only its own window (no error
// box), keeps running and ends on a key or a button.
struct HostileCase {
  const char* name;
  std::function<void()> write;
  std::function<void(HWND)> end;
};

const char* const kStartupKeys[] = {"BackGround",     "BMPFileName", "Clock",        "FontClock",
                                    "FontName",       "LogoChecked", "LogoFileName", "Message",
                                    "MessageChecked", "MouseSens",   "Prop",         "SelectedFont",
                                    "Speed",          "Volume"};

void WriteEveryKey(const std::string& text) {
  for (const char* key : kStartupKeys) WriteString(kSaverKey, "Startup", key, text);
  WriteString(kSaverKey, "System", "SoundOff", text);
  WriteString(kSaverKey, "System", "PwrSave", text);
  WriteString(kSaverKey, "System", "SetReg", "2");
}

void WriteEveryKeyAs(DWORD type, const void* data, DWORD bytes) {
  for (const char* key : kStartupKeys) WriteValue(kSaverKey, "Startup", key, type, data, bytes);
  WriteValue(kSaverKey, "System", "SoundOff", type, data, bytes);
  WriteString(kSaverKey, "System", "SetReg", "2");
}

TEST_F(SaverRunTest, HostileSettingsStartAndEndOnAKeyOrButton) {
  const DWORD dword = 0xFFFFFFFF;
  const unsigned long long qword = 0x7FFFFFFFFFFFFFFFull;
  const BYTE binary[] = {0xFF, 0x00, 0x41, 0x00, 0x00};
  const wchar_t multi[] = L"3\0second\0";
  const std::vector<HostileCase> cases = {
      {"letters", [] { WriteEveryKey("abc"); }, PostKey},
      {"huge numbers", [] { WriteEveryKey("99999999999999999999999999"); }, TypeKey},
      {"huge exponent", [] { WriteEveryKey("1e308"); }, PostButton},
      {"negative", [] { WriteEveryKey("-99999"); }, PostKey},
      {"empty", [] { WriteEveryKey(""); }, PostKey},
      {"DWORD", [&] { WriteEveryKeyAs(REG_DWORD, &dword, sizeof dword); }, PostKey},
      {"QWORD", [&] { WriteEveryKeyAs(REG_QWORD, &qword, sizeof qword); }, PostButton},
      {"binary", [&] { WriteEveryKeyAs(REG_BINARY, binary, sizeof binary); }, PostKey},
      {"multi-string", [&] { WriteEveryKeyAs(REG_MULTI_SZ, multi, sizeof multi); }, PostKey},
      {"bad pictures and fonts",
       [] {
         WriteEveryKey("1");
         WriteString(kSaverKey, "Startup", "BackGround", "3");
         WriteString(kSaverKey, "Startup", "BMPFileName", "C:\\nowhere\\missing.bmp");
         WriteString(kSaverKey, "Startup", "LogoFileName", "C:\\windows");
         WriteString(kSaverKey, "Startup", "FontName", std::string(400, 'W'));
         WriteString(kSaverKey, "Startup", "Message", std::string(3000, 'M'));
         WriteString(kSaverKey, "Startup", "FontClock", "32767");
         WriteString(kSaverKey, "Startup", "Speed", "-5");
         WriteString(kSaverKey, "System", "SoundOff", "1");
       },
       PostKey},
      {"marker not a number",
       [] {
         WriteEveryKey("zz");
         WriteString(kSaverKey, "System", "SetReg", "zz");
       },
       PostKey},
  };
  for (const HostileCase& hostile : cases) {
    SCOPED_TRACE(hostile.name);
    DeleteKeyTree(kSaverKey);
    hostile.write();
    SaverProcess saver(L"/s");
    ASSERT_TRUE(saver.started());
    HWND display = saver.WaitForTopWindow(20000);
    ASSERT_NE(display, nullptr);
    PumpMessages(1500);
    EXPECT_TRUE(saver.running()) << "the saver ended by itself";
    const std::vector<HWND> windows = saver.VisibleWindows();
    ASSERT_EQ(windows.size(), 1u) << "an error box or another window appeared";
    EXPECT_EQ(ClassOf(windows.front()), L"SkyvaultForm1");
    hostile.end(display);
    EXPECT_TRUE(saver.WaitForExit(3000)) << "did not end";
    EXPECT_EQ(saver.exitCode(), 0u);
  }
  // The one case with a bad marker was reset to the first-run values.
  EXPECT_EQ(ReadString(kSaverKey, "System", "SetReg"), "2");
  EXPECT_EQ(ReadString(kSaverKey, "Startup", "Volume"), "-748");
}

}  // namespace
}  // namespace skyvault::win32
