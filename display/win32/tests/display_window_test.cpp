// The display window in this process: load, frames only while shown, timers, endings.
#include "display/win32/display_window.h"

#include <gtest/gtest.h>

#include "controls/forwarding_drawing_control.h"
#include "dialogs/win32/setup_dialog.h"
#include "platform/testing/fake_platform_services.h"
#include "settings/memory_settings_store.h"

namespace skyvault::win32 {
namespace {

const std::wstring kTestKey = L"Software\\Skyvault.DisplayWindowTest";

int CursorCounter() {
  const int counter = ShowCursor(TRUE) - 1;
  ShowCursor(FALSE);
  return counter;
}

bool Marked() {
  BOOL running = FALSE;
  SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
  return running;
}
void Mark(bool running) { SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, running, nullptr, 0); }

// A message posted to the window once it has shown `frame` frames.
struct Post {
  size_t frame;
  UINT message;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

// Passes the drawing on, counts the frames shown, posts the script's messages in their frames.
class ScriptedDrawing : public ForwardingDrawingControl {
 public:
  using ForwardingDrawingControl::ForwardingDrawingControl;
  void ShowFrame() override {
    ForwardingDrawingControl::ShowFrame();
    ++frames;
    for (; next < script.size() && script[next].frame <= frames; ++next)
      PostMessageW(window, script[next].message, script[next].wParam, script[next].lParam);
  }
  HWND window = nullptr;
  std::vector<Post> script;
  size_t next = 0, frames = 0;
};

class DisplayWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey.c_str());
    Mark(false);
  }
  void TearDown() override {
    window.reset();
    MSG msg;
    PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    SetUp();
    while (CursorCounter() < cursorBefore) ShowCursor(TRUE);
    while (CursorCounter() > cursorBefore) ShowCursor(FALSE);
  }
  void Create(bool show = true) {
    DisplayWindowOptions options;
    options.settingsKey = kTestKey;
    options.sound = false;
    options.endProgram = [this] { ++endings; };
    options.wrapDrawing = [this](DrawingControl& inner) {
      auto wrapper = std::make_unique<ScriptedDrawing>(inner);
      drawing = wrapper.get();
      return wrapper;
    };
    endings = 0;
    window = DisplayWindow::Create(GetModuleHandleW(nullptr), std::move(options));
    if (show) window->ShowOver(RECT{0, 0, 400, 300});
  }
  // Runs the loop with `posts` in their frames; true when the window ended it within 8 seconds.
  bool Run(std::vector<Post> posts) {
    drawing->window = window->hwnd();  // posting to it once it has gone is harmless
    drawing->script = std::move(posts);
    static bool forced;
    forced = false;
    const UINT_PTR watchdog = SetTimer(
        nullptr, 0, 8000, [](HWND, UINT, UINT_PTR, DWORD) { forced = true, PostQuitMessage(0); });
    window->RunMessageLoop();
    KillTimer(nullptr, watchdog);
    return !forced;
  }
  size_t frames() const { return drawing->frames; }

  std::unique_ptr<DisplayWindow> window;
  ScriptedDrawing* drawing = nullptr;
  int endings = 0, cursorBefore = CursorCounter();
};

TEST_F(DisplayWindowTest, CreatedItLoadsButDrawsNothingUntilShown) {
  Create(false);
  HWND hwnd = window->hwnd();
  EXPECT_FALSE(IsWindowVisible(hwnd));
  EXPECT_EQ(CursorCounter(), cursorBefore - 1) << "the load ran: pointer hidden";
  // A key after a second and a half in which the window's timers tick and frames are due.
  static HWND target;
  target = hwnd;
  const UINT_PTR timer = SetTimer(nullptr, 0, 1500, [](HWND, UINT, UINT_PTR, DWORD) {
    PostMessageW(target, WM_KEYDOWN, 'A', 0);
  });
  EXPECT_TRUE(Run({}));
  KillTimer(nullptr, timer);
  EXPECT_EQ(frames(), 0u);
  EXPECT_EQ(endings, 1);
  EXPECT_EQ(CursorCounter(), cursorBefore);

  Create(false);  // as in password mode: never shown, let go
  HWND second = window->hwnd();
  window.reset();
  EXPECT_FALSE(IsWindow(second));
  EXPECT_EQ(CursorCounter(), cursorBefore) << "the unload handler shows the pointer once";
  EXPECT_EQ(endings, 0);
}

// A key and the fourth move run CloseDown once; a window closed from outside only unloads.
TEST_F(DisplayWindowTest, InputEndsTheSaverOnceAndAClosedWindowUnloadsAndClearsTheMark) {
  const LPARAM at = MAKELPARAM(10, 10);
  // Only moves after the first that change the position count; the rest end nothing.
  const std::vector<Post> moves = {{2, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)},
                                   {3, WM_MOUSEMOVE, 0, MAKELPARAM(6, 5)},
                                   {4, WM_MOUSEMOVE, 0, MAKELPARAM(6, 5)},
                                   {5, WM_MOUSEMOVE, 0, MAKELPARAM(7, 5)},
                                   {6, WM_MOUSEMOVE, 0, MAKELPARAM(8, 5)},
                                   {7, WM_SYSCOMMAND, SC_SCREENSAVE},
                                   {8, WM_ACTIVATEAPP, FALSE},
                                   {9, WM_TIMER, 1},
                                   {10, WM_TIMER, 2},
                                   {11, WM_KEYUP, 'A'},
                                   {12, WM_LBUTTONUP, 0, at},
                                   {90, WM_MOUSEMOVE, 0, MAKELPARAM(9, 5)}};
  const std::vector<std::pair<bool, std::vector<Post>>> cases = {
      {true, {{5, WM_KEYDOWN, VK_SPACE}}}, {true, moves}, {false, {{5, WM_CLOSE}}}};
  for (const auto& [closeDown, posts] : cases) {
    SCOPED_TRACE(posts.back().message);
    Create();
    Mark(true);
    ASSERT_TRUE(Run(posts)) << "the loop went on after the window had gone";
    EXPECT_GE(frames(), posts.back().frame) << "ended before its last message";
    EXPECT_EQ(endings, closeDown ? 1 : 0);
    EXPECT_EQ(window->hwnd(), nullptr);
    EXPECT_EQ(CursorCounter(), cursorBefore) << "the unload handler ran not exactly once";
    EXPECT_FALSE(Marked()) << "a saver that has gone still counts as running";
    window.reset();
    EXPECT_EQ(CursorCounter(), cursorBefore);
  }
}

// The ending unloads a settings dialog of this process; a window closed from outside leaves it.
TEST_F(DisplayWindowTest, TheEndingUnloadsASettingsDialogOfThisProcess) {
  MemorySettingsStore store;
  FakePlatformServices platform;
  for (const auto& [ending, post] :
       {std::pair{true, Post{300, WM_KEYDOWN, 'A'}}, {false, Post{300, WM_CLOSE}}}) {
    SetupDialog dialog(GetModuleHandleW(nullptr), store, &platform);
    ASSERT_NE(dialog.Create(), nullptr);
    Create();
    ASSERT_TRUE(Run({post}));
    EXPECT_EQ(endings, ending ? 1 : 0);
    EXPECT_EQ(dialog.hwnd() == nullptr, ending);
    window.reset();
  }
}

}  // namespace
}  // namespace skyvault::win32
