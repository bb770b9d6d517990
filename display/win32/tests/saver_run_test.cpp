// The real skyvault.scr started as Windows starts it, on its own settings
// key, which is saved before each test and put back after.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "settings/settings_schema.h"
#include "settings/win32/registry_settings_store.h"
#include "settings/win32/tests/registry_test_support.h"
#include "startup/win32/tests/saver_process.h"

namespace skyvault::win32 {
namespace {

using testing::PumpMessages;
using testing::SaverProcess;
using testing_support::DeleteKeyTree, testing_support::WriteString, testing_support::WriteValue;
const std::wstring kSaverKey = kSettingsKey;

// The REG_SZ text; "<missing>" when absent or of another type.
inline std::string ReadString(const std::wstring& path, const std::string& section,
                              const std::string& key) {
  wchar_t text[1024] = {};
  DWORD bytes = sizeof text;
  if (RegGetValueW(HKEY_CURRENT_USER, (path + L"\\" + Widen(section)).c_str(), Widen(key).c_str(),
                   RRF_RT_REG_SZ, nullptr, text, &bytes) != ERROR_SUCCESS)
    return "<missing>";
  return Narrow(text);
}

// Keeps a copy of HKCU\<path> and puts it back exactly (or removes the key
// again, if it did not exist) when destroyed.
class KeyBackup {
 public:
  explicit KeyBackup(std::wstring path) : path_(std::move(path)), backup_(path_ + L".TestBackup") {
    DeleteKeyTree(backup_);
    saved_ = Copy(path_, backup_);
  }
  ~KeyBackup() { DeleteKeyTree(path_), saved_ &&Copy(backup_, path_), DeleteKeyTree(backup_); }

 private:
  static bool Copy(const std::wstring& from, const std::wstring& to) {
    HKEY source = nullptr, target = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, from.c_str(), 0, KEY_READ, &source) != ERROR_SUCCESS)
      return false;
    RegCreateKeyExW(HKEY_CURRENT_USER, to.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &target,
                    nullptr);
    const bool copied = RegCopyTreeW(source, nullptr, target) == ERROR_SUCCESS;
    RegCloseKey(source);
    RegCloseKey(target);
    return copied;
  }
  std::wstring path_, backup_;
  bool saved_ = false;
};

// The running mark another process left: Wine caches system parameters per
// process, so there its volatile registry value is read.
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

// The saver marks itself running just after it shows its window.
bool MarkedWithin(DWORD ms) {
  for (DWORD waited = 0; !Marked(); waited += 25) {
    if (waited >= ms) return false;
    PumpMessages(25);
  }
  return true;
}

// 32-bit pixels (0x00RRGGBB) of a bitmap, top row first.
struct Pixels {
  int width = 0, height = 0;
  std::vector<uint32_t> data;
  Pixels(HDC dc, HBITMAP bitmap, int w, int h)
      : width(w), height(h), data(static_cast<size_t>(w) * h) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    if (GetDIBits(dc, bitmap, 0, h, data.data(), &info, DIB_RGB_COLORS) != h) data.clear();
  }
  // The largest difference of one channel.
  int Distance(int x, int y, uint32_t other) const {
    const uint32_t p = data[static_cast<size_t>(y) * width + x];
    int most = 0;
    for (int shift : {0, 8, 16})
      most = std::max(most, std::abs(int(p >> shift & 255) - int(other >> shift & 255)));
    return most;
  }
};

Pixels Capture(const RECT& r) {
  HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, r.right - r.left, r.bottom - r.top);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);
  Pixels pixels(memory, bitmap, r.right - r.left, r.bottom - r.top);
  DeleteObject(bitmap), DeleteDC(memory), ReleaseDC(nullptr, screen);
  return pixels;
}

Pixels LoadBridge() {
  auto bitmap =
      static_cast<HBITMAP>(LoadImageW(nullptr, Widen(SKYVAULT_DATA "/Bridge.bmp").c_str(),
                                      IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  HDC dc = CreateCompatibleDC(nullptr);
  Pixels pixels(dc, bitmap, 800, 600);
  DeleteDC(dc), DeleteObject(bitmap);
  return pixels;
}

class SaverRunTest : public ::testing::Test {
 protected:
  void SetUp() override { DeleteKeyTree(kSaverKey); }
  KeyBackup saved{kSaverKey};
};

TEST_F(SaverRunTest, FirstRunWritesTheStoreShowsTheBridgeFliesAndAKeyEndsIt) {
  SaverProcess saver(L"/s");
  HWND display = saver.WaitForTopWindow(20000);
  ASSERT_NE(display, nullptr) << "the saver showed no window";
  for (const SettingEntry& e : kFirstRunValues)
    EXPECT_EQ(ReadString(kSaverKey, e.section, e.key), e.firstRunValue)
        << e.section << "\\" << e.key;
  EXPECT_TRUE(MarkedWithin(5000));

  // The 800 x 600 canvas, scaled with its aspect kept and centred.
  RECT screen{};
  GetWindowRect(display, &screen);
  const int w = screen.right - screen.left, h = screen.bottom - screen.top;
  const double scale = std::min(w / 800.0, h / 600.0);
  const int left = static_cast<int>((w - 800 * scale) / 2),
            top = static_cast<int>((h - 600 * scale) / 2);
  const Pixels bridge = LoadBridge();
  ASSERT_FALSE(bridge.data.empty());
  // Canvas pixels in `area` that differ from the bridge by more than `threshold`, and the leftmost.
  auto differences = [&](const Pixels& shot, RECT area, int threshold) {
    std::pair<int, int> found{0, 800};
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) {
        const int sx = left + static_cast<int>((x + 0.5) * scale),
                  sy = top + static_cast<int>((y + 0.5) * scale);
        if (shot.Distance(sx, sy, bridge.data[static_cast<size_t>(y) * 800 + x]) > threshold)
          ++found.first, found.second = std::min(found.second, x);
      }
    return found;
  };
  PumpMessages(1200);
  const Pixels early = Capture(screen);
  PumpMessages(1500);
  const Pixels later = Capture(screen);
  // The lower bridge, where no aircraft flies yet, matches (16-bit colour allows a little).
  EXPECT_LT(differences(later, RECT{0, 320, 800, 560}, 24).first, 800 * 240 / 50) << "no bridge";
  // The clock: yellow at the top left.
  EXPECT_GT(differences(later, RECT{0, 0, 120, 24}, 24).first, 30) << "no clock";
  // Aircraft 1 comes in from the right at the height of 180 and flies left.
  const auto first = differences(early, RECT{300, 140, 800, 300}, 48);
  const auto second = differences(later, RECT{300, 140, 800, 300}, 48);
  EXPECT_GT(first.first, 200) << "no aircraft";
  EXPECT_LT(second.second, first.second - 20) << "the aircraft did not fly left";

  PostMessageW(display, WM_KEYDOWN, 'A', 0);
  EXPECT_TRUE(saver.WaitForExit(1000)) << "a key did not end the saver within a second";
  EXPECT_EQ(saver.exitCode(), 0u);
  EXPECT_FALSE(Marked()) << "the running mark was left set";
}

TEST_F(SaverRunTest, HostileValuesInEveryKeyStartAndEndOnAKeyOrButton) {
  auto every = [](const std::string& text, DWORD type = REG_SZ) {
    const std::wstring wide = Widen(text);
    for (const SettingEntry& e : kFirstRunValues)
      WriteValue(kSaverKey, e.section, e.key, type, wide.c_str(),
                 static_cast<DWORD>(wide.size() + 1) * 2);
    WriteString(kSaverKey, "System", "SetReg", "2");
  };
  auto key = [](HWND w) { PostMessageW(w, WM_KEYDOWN, 'A', 0); };
  auto button = [](HWND w) { PostMessageW(w, WM_LBUTTONDOWN, 0, MAKELPARAM(50, 50)); };
  auto typed = [](HWND w) {
    SetForegroundWindow(w);
    INPUT keys[2] = {{INPUT_KEYBOARD, {.ki = {'B', 0, 0, 0, 0}}},
                     {INPUT_KEYBOARD, {.ki = {'B', 0, KEYEVENTF_KEYUP, 0, 0}}}};
    SendInput(2, keys, sizeof(INPUT));
  };
  const std::vector<std::tuple<const char*, std::function<void()>, std::function<void(HWND)>>>
      cases = {{"letters", [&] { every("abc"); }, key},
               {"huge", [&] { every("99999999999999999999999999"); }, typed},
               {"binary", [&] { every("abc", REG_BINARY); }, key},
               {"DWORD", [&] { every("a", REG_DWORD); }, button},
               {"missing files, long texts",
                [&] {
                  every("1");
                  for (auto [k, v] : {std::pair{"BackGround", std::string("3")},
                                      {"BMPFileName", "C:\\nowhere\\missing.bmp"},
                                      {"LogoFileName", "C:\\windows"},
                                      {"FontName", std::string(400, 'W')},
                                      {"Message", std::string(3000, 'M')},
                                      {"FontClock", "32767"}})
                    WriteString(kSaverKey, "Startup", k, v);
                },
                key},
               {"marker not a number",
                [&] { every("zz"), WriteString(kSaverKey, "System", "SetReg", "zz"); }, key}};
  for (const auto& [name, write, end] : cases) {
    SCOPED_TRACE(name);
    DeleteKeyTree(kSaverKey);
    write();
    SaverProcess saver(L"/s");
    HWND display = saver.WaitForTopWindow(20000);
    ASSERT_NE(display, nullptr);
    PumpMessages(1500);
    EXPECT_TRUE(saver.running()) << "the saver ended by itself";
    EXPECT_EQ(saver.VisibleWindows(), std::vector<HWND>{display})
        << "an error box or another window";
    end(display);
    EXPECT_TRUE(saver.WaitForExit(3000)) << "did not end";
    EXPECT_EQ(saver.exitCode(), 0u);
  }
  EXPECT_EQ(ReadString(kSaverKey, "Startup", "Volume"), "-748")
      << "the bad marker brought the first-run values";
}

}  // namespace
}  // namespace skyvault::win32
