// The display window in this process: load at creation, frames only while
// shown, the timers, and its endings. Settings under a key of the tests' own.
#include "display/win32/display_window.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "dialogs/win32/setup_dialog.h"
#include "display/win32/timed_drawing_control.h"
#include "platform/fake_platform_services.h"
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

struct Post {
  DWORD atMs;
  UINT message;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

class DisplayWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey.c_str());
    Mark(false);
    cursorBefore = CursorCounter();
  }
  void TearDown() override {
    window.reset();
    MSG msg;
    PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey.c_str());
    Mark(false);
    while (CursorCounter() < cursorBefore) ShowCursor(TRUE);
    while (CursorCounter() > cursorBefore) ShowCursor(FALSE);
  }
  void Create(bool show = true) {
    DisplayWindowOptions options;
    options.settingsKey = kTestKey;
    options.sound = false;
    options.endProgram = [this] { ++endings; };
    options.wrapDrawing = [this](DrawingControl& inner) {
      auto wrapper = std::make_unique<TimedDrawingControl>(inner);
      drawing = wrapper.get();
      return wrapper;
    };
    endings = 0;
    window = DisplayWindow::Create(GetModuleHandleW(nullptr), std::move(options));
    if (show) window->ShowOver(RECT{0, 0, 400, 300});
  }
  // Runs the window's loop while another thread posts `posts`; true when
  // the window ended the loop itself within eight seconds.
  bool Run(std::vector<Post> posts) {
    HWND hwnd = window->hwnd();  // posting to it once it has gone is harmless
    const DWORD ui = GetCurrentThreadId();
    std::atomic<bool> done{false}, forced{false};
    std::thread poster([&] {
      DWORD at = 0;
      for (const Post& p : posts)
        Sleep(p.atMs - at), at = p.atMs, PostMessageW(hwnd, p.message, p.wParam, p.lParam);
      for (; at < 8000 && !done; at += 20) Sleep(20);
      if (!done) forced = true, PostThreadMessageW(ui, WM_QUIT, 0, 0);
    });
    window->RunMessageLoop();
    done = true;
    poster.join();
    return !forced;
  }
  size_t frames() const { return drawing->shownAt().size(); }

  std::unique_ptr<DisplayWindow> window;
  TimedDrawingControl* drawing = nullptr;
  int endings = 0, cursorBefore = 0;
};

TEST_F(DisplayWindowTest, CreatedItLoadsButDrawsNothingUntilShown) {
  Create(false);
  HWND hwnd = window->hwnd();
  EXPECT_FALSE(IsWindowVisible(hwnd));
  EXPECT_EQ(CursorCounter(), cursorBefore - 1) << "the load ran: pointer hidden";
  EXPECT_TRUE(Run({{1500, WM_KEYDOWN, 'A'}}));  // the timers tick, frames are due
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

// Keys, buttons and the fourth move run CloseDown once; a window closed
// from outside runs only the unload handler, leaving the running mark.
TEST_F(DisplayWindowTest, InputEndsTheSaverOnceAndAClosedWindowOnlyUnloads) {
  const LPARAM at = MAKELPARAM(10, 10);
  const std::vector<std::pair<bool, std::vector<Post>>> cases = {
      {true, {{300, WM_KEYDOWN, VK_SPACE}}},
      {true, {{300, WM_SYSKEYDOWN, VK_MENU}}},
      {true, {{300, WM_LBUTTONDOWN, 0, at}}},
      {true, {{300, WM_RBUTTONDOWN, 0, at}}},
      {true, {{300, WM_MBUTTONDOWN, 0, at}}},
      {true, {{300, WM_XBUTTONDOWN, MAKEWPARAM(0, 1), at}}},
      // The first move only gives the position, a repeat is no move; other
      // messages do not end it. MouseSens is 4 after a first run.
      {true,
       {{200, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)},
        {250, WM_MOUSEMOVE, 0, MAKELPARAM(6, 5)},
        {300, WM_MOUSEMOVE, 0, MAKELPARAM(6, 5)},
        {350, WM_MOUSEMOVE, 0, MAKELPARAM(7, 5)},
        {400, WM_MOUSEMOVE, 0, MAKELPARAM(8, 5)},
        {450, WM_SYSCOMMAND, SC_SCREENSAVE},
        {500, WM_ACTIVATEAPP, FALSE},
        {550, WM_TIMER, 1},
        {600, WM_TIMER, 2},
        {700, WM_KEYUP, 'A'},
        {750, WM_LBUTTONUP, 0, at},
        {1500, WM_MOUSEMOVE, 0, MAKELPARAM(9, 5)}}},
      {false, {{300, WM_CLOSE}}},
      {false, {{300, WM_SYSCOMMAND, SC_CLOSE}}}};
  for (const auto& [closeDown, posts] : cases) {
    SCOPED_TRACE(posts.back().message);
    Create();
    Mark(true);
    ASSERT_TRUE(Run(posts)) << "the loop went on after the window had gone";
    EXPECT_GT(frames(), posts.back().atMs / 50) << "ended early, or drew no frames while shown";
    EXPECT_EQ(endings, closeDown ? 1 : 0);
    EXPECT_EQ(window->hwnd(), nullptr);
    EXPECT_EQ(CursorCounter(), cursorBefore) << "the unload handler ran not exactly once";
    EXPECT_EQ(Marked(), !closeDown) << "the running mark is CloseDown's to clear";
    window.reset();
    EXPECT_EQ(CursorCounter(), cursorBefore);
  }
}

// The ending unloads a settings dialog of this process (as it would the
// preview window: each notes itself while it exists); a window closed from
// outside runs no ending and leaves it.
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
