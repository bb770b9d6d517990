// The real skyvault.scr started as Windows starts it; its settings key is kept and put back.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <sstream>

#include "controls/testing/png_bytes.h"
#include "controls/win32/wic_image_decoder.h"
#include "dialogs/win32/setup_dialog_ids.h"
#include "platform/testing/temp_folder.h"
#include "platform/testing/win32/dialog_input.h"
#include "platform/testing/win32/message_wait.h"
#include "platform/testing/win32/registry_keys.h"
#include "platform/testing/win32/saver_process.h"
#include "platform/testing/win32/screen_pixels.h"
#include "settings/settings_schema.h"
#include "settings/win32/registry_settings_store.h"

#include <commctrl.h>

namespace skyvault::win32 {
namespace {

using testing::CapturePixels, testing::DeleteKeyTree, testing::ReadString, testing::WriteString;
using testing::KeyBackup, testing::RefuseWrites, testing::SaverProcess, testing::TextOf;
using testing::WaitUntil;
const std::wstring kSaverKey = kSettingsKey;
const std::wstring kSaver = Widen(SKYVAULT_SCR);

// The running mark another process left (Wine caches it per process: its registry value).
bool Marked() {
  wchar_t text[8] = {};
  DWORD bytes = sizeof text;
  if (RegGetValueW(
          HKEY_CURRENT_USER, L"Software\\Wine\\Temporary System Parameters\\Control Panel\\Desktop",
          L"WINE_ScreenSaverRunning", RRF_RT_REG_SZ, nullptr, text, &bytes) == ERROR_SUCCESS)
    return text[0] == L'1';
  BOOL running = FALSE;
  SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
  return running;
}

using Pixels = std::vector<uint32_t>;  // 0x00RRGGBB, or 0xFFRRGGBB from the decoder

Pixels LoadBridge() {
  return WicImageDecoder().Decode(SKYVAULT_DATA "/Bridge.bmp").value_or(DecodedImage{}).pixels;
}

// The window among `top`'s descendants whose control identifier is `id`.
HWND Descendant(HWND top, int id) {
  static std::pair<int, HWND> search;
  search = {id, nullptr};
  EnumChildWindows(
      top,
      [](HWND w, LPARAM) { return GetDlgCtrlID(w) == search.first ? !(search.second = w) : 1; }, 0);
  return search.second;
}

// Ends the saver by a key; true when it ends within `ms` with exit code 0.
bool EndsOnAKey(SaverProcess& saver, HWND display, DWORD ms = 3000) {
  PostMessageW(display, WM_KEYDOWN, 'A', 0);
  return saver.WaitForExit(ms) && saver.exitCode() == 0;
}

// Where the 800 x 600 canvas lies in the display window: aspect kept, centred.
struct CanvasPlace {
  explicit CanvasPlace(HWND display) {
    GetWindowRect(display, &screen);
    const int w = screen.right - screen.left, h = screen.bottom - screen.top;
    scale = std::min(w / 800.0, h / 600.0);
    left = static_cast<int>((w - 800 * scale) / 2);
    top = static_cast<int>((h - 600 * scale) / 2);
  }
  // How far the screen pixels of frame pixel (x, y), averaged, are from `colour`.
  int Distance(const Pixels& shot, int x, int y, uint32_t colour) const {
    const int x0 = left + int(x * scale), x1 = std::max(left + int((x + 1) * scale), x0 + 1);
    const int y0 = top + int(y * scale), y1 = std::max(top + int((y + 1) * scale), y0 + 1);
    int sum[3] = {}, most = 0;
    for (int py = y0; py < y1; ++py)
      for (int px = x0; px < x1; ++px)
        for (int c = 0; c < 3; ++c)
          sum[c] += shot[size_t(py) * (screen.right - screen.left) + px] >> 8 * c & 255;
    for (int c = 0; c < 3; ++c)
      most =
          std::max(most, std::abs(sum[c] / ((x1 - x0) * (y1 - y0)) - int(colour >> 8 * c & 255)));
    return most;
  }
  RECT screen{};
  double scale = 1;
  int left = 0, top = 0;
};

// Waits until the frame's lower part shows `colourAt` within `threshold` but for 1 pixel in 50.
bool ShowsBelowTheAircraft(HWND display, const std::function<uint32_t(int, int)>& colourAt,
                           int threshold) {
  const CanvasPlace canvas(display);
  return WaitUntil(
      [&] {
        const Pixels shot = CapturePixels(nullptr, canvas.screen);
        if (shot.empty()) return false;  // the screen could not be read
        int off = 0;
        for (int y = 320; y < 560; y += 4)
          for (int x = 0; x < 800; x += 4)
            off += canvas.Distance(shot, x, y, colourAt(x, y)) > threshold;
        return off < 12000 / 50;
      },
      10000);
}

bool ShowsTheBridge(HWND display) {
  const Pixels bridge = LoadBridge();
  return !bridge.empty() &&
         ShowsBelowTheAircraft(
             display, [&](int x, int y) { return bridge[static_cast<size_t>(y) * 800 + x]; }, 24);
}

class SaverRunTest : public ::testing::Test {
 protected:
  void SetUp() override { DeleteKeyTree(kSaverKey); }
  KeyBackup saved{kSaverKey};
};

TEST_F(SaverRunTest, FirstRunWritesTheStoreShowsTheBridgeFliesAndAKeyEndsIt) {
  SaverProcess saver(kSaver, L"/s");
  HWND display = saver.WaitForTopWindow(20000);
  ASSERT_NE(display, nullptr) << "the saver showed no window";
  for (const SettingEntry& e : kFirstRunValues)
    EXPECT_EQ(ReadString(kSaverKey, e.section, e.key), FirstRunValue(e, kDataPath))
        << e.section << "\\" << e.key;
  EXPECT_TRUE(WaitUntil(Marked, 10000)) << "no running mark";

  // The bridge, the clock at the top left, aircraft 1 coming in from the right at 180.
  ASSERT_TRUE(ShowsTheBridge(display)) << "no bridge";
  const CanvasPlace canvas(display);
  const Pixels bridge = LoadBridge();
  // Canvas pixels in `area` over 48 from the bridge, and the leftmost (none on an unread screen).
  auto differences = [&](const Pixels& shot, RECT area) {
    std::pair<int, int> found{0, 800};
    if (shot.empty()) return found;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        if (canvas.Distance(shot, x, y, bridge[static_cast<size_t>(y) * 800 + x]) > 48)
          ++found.first, found.second = std::min(found.second, x);
    return found;
  };
  const RECT clock{0, 0, 120, 24}, entry{300, 140, 800, 300};
  std::pair<int, int> aircraft;
  int clockPixels = 0;
  const bool shown = WaitUntil(
      [&] {
        const Pixels shot = CapturePixels(nullptr, canvas.screen);
        aircraft = differences(shot, entry);
        clockPixels = differences(shot, clock).first;
        return clockPixels > 30 && aircraft.first > 200;
      },
      10000);
  ASSERT_TRUE(shown) << clockPixels << " pixels of the clock, " << aircraft.first
                     << " of the aircraft";
  EXPECT_TRUE(WaitUntil(
      [&] {
        return differences(CapturePixels(nullptr, canvas.screen), entry).second <
               aircraft.second - 20;
      },
      5000))
      << "the aircraft did not fly left";

  EXPECT_TRUE(EndsOnAKey(saver, display, 1000)) << "a key did not end the saver within a second";
  EXPECT_FALSE(Marked()) << "the running mark was left set";
}

// Wine by default waits two seconds for a window manager to let a full-screen window go.
TEST_F(SaverRunTest, AKeyEndsTheProcessAtOnceEvenWhereAWindowManagerIsAwaited) {
  skyvault::testing::TempFolder folder;
  const std::filesystem::path copy = folder.path() / L"managed-window.scr";
  ASSERT_TRUE(std::filesystem::copy_file(std::filesystem::path(kSaver), copy));
  const std::wstring appKey = L"Software\\Wine\\AppDefaults\\managed-window.scr";
  KeyBackup forget{appKey};
  for (const char* name : {"Managed", "Decorated"}) WriteString(appKey, "X11 Driver", name, "Y");

  SaverProcess saver(copy.wstring(), L"/s");
  HWND display = saver.WaitForTopWindow(20000);
  ASSERT_NE(display, nullptr);
  EXPECT_TRUE(WaitUntil(Marked, 10000)) << "no running mark";
  WaitUntil([] { return false; }, 500);  // a few frames
  EXPECT_TRUE(EndsOnAKey(saver, display, 1000)) << "the process outlived the key by a second";
  EXPECT_FALSE(Marked()) << "the running mark was left set";
}

// The usual order for a new user: Settings first, the saver afterwards.
TEST_F(SaverRunTest, ChoicesMadeBeforeTheFirstRunSurviveIt) {
  using namespace setup_ids;
  {
    SaverProcess settings(kSaver, L"/c");
    HWND dialog = settings.WaitForTopWindow(20000);
    ASSERT_NE(dialog, nullptr) << "no settings dialog";
    EXPECT_EQ(TextOf(Descendant(dialog, kTxtBGFile)), Widen(kDataPath) + L"Bridge.bmp");
    EXPECT_EQ(SendMessageW(Descendant(dialog, kOptBakGrnd2), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(ReadString(kSaverKey, "System", "SetReg"), "2");
    // The user picks "Solid Sky Blue" on the background page and presses OK.
    SendMessageW(Descendant(dialog, kTab), TCM_SETCURFOCUS, 1, 0);
    SendMessageW(Descendant(dialog, kOptBakGrnd1), BM_CLICK, 0, 0);
    EXPECT_EQ(ReadString(kSaverKey, "Startup", "BackGround"), "2");
    SendMessageW(Descendant(dialog, kCmdOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(settings.WaitForExit(10000)) << "OK did not close the dialog";
  }

  SaverProcess saver(kSaver, L"/s");
  HWND display = saver.WaitForTopWindow(20000);
  ASSERT_NE(display, nullptr) << "the saver showed no window";
  EXPECT_EQ(ReadString(kSaverKey, "Startup", "BackGround"), "2")
      << "the first run undid the choice";
  EXPECT_TRUE(ShowsBelowTheAircraft(
      display, [](int, int) { return 0x00E2FBu; }, 8))
      << "no sky blue where the bridge would be";
  EXPECT_TRUE(EndsOnAKey(saver, display));
}

// Unstorable first-run values still show the bridge; so does a stock path whose folder is gone.
TEST_F(SaverRunTest, FirstRunValuesThatCannotBeStoredAndMovedStockPicturesStillShow) {
  for (const char* section : {"Startup", "System", "Planes"}) {
    WriteString(kSaverKey, section, "Placeholder", "1");
    ASSERT_TRUE(RefuseWrites(kSaverKey + L"\\" + Widen(section)));
  }
  ASSERT_TRUE(RefuseWrites(kSaverKey));
  {
    SaverProcess saver(kSaver, L"/s");
    HWND display = saver.WaitForTopWindow(20000);
    ASSERT_NE(display, nullptr) << "the saver showed no window";
    EXPECT_TRUE(ShowsTheBridge(display)) << "no bridge where the settings cannot be stored";
    EXPECT_EQ(ReadString(kSaverKey, "System", "SetReg"), "<missing>");
    EXPECT_TRUE(EndsOnAKey(saver, display));
  }

  DeleteKeyTree(kSaverKey);
  for (const SettingEntry& e : kFirstRunValues)
    WriteString(kSaverKey, e.section, e.key, FirstRunValue(e, "D:\\Moved\\Skyvault1\\"));
  SaverProcess saver(kSaver, L"/s");
  HWND display = saver.WaitForTopWindow(20000);
  ASSERT_NE(display, nullptr) << "the saver showed no window";
  EXPECT_TRUE(ShowsTheBridge(display)) << "no bridge from a stored path whose folder is gone";
  EXPECT_TRUE(EndsOnAKey(saver, display));
}

TEST_F(SaverRunTest, HostileValuesInEveryKeyStartAndEndOnAKeyOrButton) {
  // The user's pictures, with companions of noise, of 100000 x 100000 pixels, and cut short.
  skyvault::testing::TempFolder folder;
  std::mt19937 random(5);
  skyvault::testing::FileBytes noise(4096);
  for (auto& b : noise) b = static_cast<uint8_t>(random());
  const auto cut = skyvault::testing::PngFile(320, 240, 0xFF336699);
  std::ifstream bridgeFile(SKYVAULT_DATA "/Bridge.bmp", std::ios::binary);
  const skyvault::testing::FileBytes bridge{std::istreambuf_iterator<char>(bridgeFile), {}};
  for (const std::string name : {"Own", "Logo"}) {
    folder.Write(name + ".bmp", bridge);
    folder.Write(name + "@2x.png", noise);
    folder.Write(name + "@3x.png", skyvault::testing::PngWithData(100000, 100000, {0x78, 1}));
    folder.Write(name + "@4x.png", {cut.begin(), cut.begin() + cut.size() / 2});
  }
  // Named pipes that no one ever writes to: a read of one waits for good.
  const std::wstring pipe =
      L"\\\\.\\pipe\\skyvault-picture-" + std::to_wstring(GetCurrentProcessId());
  std::vector<HANDLE> pipes;
  for (int i = 0; i < 4; ++i)
    pipes.push_back(CreateNamedPipeW(pipe.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_WAIT,
                                     PIPE_UNLIMITED_INSTANCES, 4096, 4096, 0, nullptr));
  auto key = [](HWND w) { PostMessageW(w, WM_KEYDOWN, 'A', 0); };
  auto button = [](HWND w) { PostMessageW(w, WM_LBUTTONDOWN, 0, MAKELPARAM(50, 50)); };
  auto typed = [](HWND w) {
    SetForegroundWindow(w);
    INPUT keys[2] = {{INPUT_KEYBOARD, {.ki = {'B', 0, 0, 0, 0}}},
                     {INPUT_KEYBOARD, {.ki = {'B', 0, KEYEVENTF_KEYUP, 0, 0}}}};
    SendInput(2, keys, sizeof(INPUT));
  };
  // Every value, the marker, then these Startup values ("Key=value|..."), and the ending.
  const std::string pictures = "BackGround=3|LogoChecked=1|BMPFileName=";
  const std::tuple<const char*, const char*, std::string, std::function<void(HWND)>> cases[] = {
      {"abc", "2", "", key},
      {"99999999999999999999999999", "2", "", typed},
      {"1", "2",
       "BackGround=3|BMPFileName=C:\\nowhere\\missing.bmp|LogoFileName=C:\\windows|FontName=" +
           std::string(400, 'W') + "|Message=" + std::string(3000, 'M') + "|FontClock=32767",
       button},
      {"1", "2", pictures + folder.Path("Own.bmp") + "|LogoFileName=" + folder.Path("Logo.bmp"),
       key},
      {"1", "2", pictures + Narrow(pipe) + "|LogoFileName=\\\\.\\CONIN$", key},
      {"zz", "zz", "", key}};  // the marker not a number
  int row = 0;
  for (const auto& [every, marker, startup, end] : cases) {
    SCOPED_TRACE(++row);
    DeleteKeyTree(kSaverKey);
    for (const SettingEntry& e : kFirstRunValues) WriteString(kSaverKey, e.section, e.key, every);
    WriteString(kSaverKey, "System", "SetReg", marker);
    std::istringstream values(startup);
    for (std::string v; std::getline(values, v, '|');)
      WriteString(kSaverKey, "Startup", v.substr(0, v.find('=')), v.substr(v.find('=') + 1));
    SaverProcess saver(kSaver, L"/s");
    HWND display = saver.WaitForTopWindow(20000);
    ASSERT_NE(display, nullptr);
    // For a second and a half it neither ends nor shows an error box or another window.
    EXPECT_FALSE(WaitUntil(
        [&] { return !saver.running() || saver.VisibleWindows() != std::vector<HWND>{display}; },
        1500));
    EXPECT_TRUE(saver.running()) << "the saver ended by itself";
    end(display);
    EXPECT_TRUE(saver.WaitForExit(3000) && saver.exitCode() == 0) << "did not end";
  }
  for (HANDLE pipe : pipes) CloseHandle(pipe);
  EXPECT_EQ(ReadString(kSaverKey, "Startup", "Volume"), "-748")
      << "the bad marker brought the first-run values";
}

}  // namespace
}  // namespace skyvault::win32
