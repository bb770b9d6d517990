#include "display/win32/form1_window.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "display/win32/tests/registry_snapshot.h"
#include "display/win32/timed_drawing_control.h"
#include "platform/win32/win32_platform_services.h"

// The display window in this process: its load at creation, frames only
// while shown, the timers, the endings and what each ending leaves behind.
// The settings live under a key of the tests' own.

namespace skyvault::win32 {
namespace {

using testing::DeleteKeyTree;
using testing::ReadString;
using testing::RegistryKeySnapshot;

const std::wstring kTestKey = L"Software\\Skyvault.DisplayWindowTest";

// The thread's cursor display counter, left as it was.
int CursorCounter() {
  const int counter = ShowCursor(TRUE) - 1;
  ShowCursor(FALSE);
  return counter;
}

bool ScreenSaverMarked() {
  BOOL running = FALSE;
  SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
  return running != FALSE;
}

void MarkScreenSaver(bool running) {
  UINT previous = 0;
  SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, running, &previous, 0);
}

// Removes a quit message that a window going without a running loop left.
void DropQuitMessage() {
  MSG msg;
  PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

void Pump(DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

// Notes every ShowFrame and the texts drawn.
class RecordingDrawing : public TimedDrawingControl {
 public:
  using TimedDrawingControl::TimedDrawingControl;
  void DrawText(const std::string& text, int32_t x, int32_t y, int32_t colour) override {
    texts.push_back(text);
    TimedDrawingControl::DrawText(text, x, y, colour);
  }
  std::vector<std::string> texts;
};

// Messages posted to the window from another thread at given moments while
// the window's loop runs; the loop is stopped by force after `limitMs`.
class Script {
 public:
  struct Step {
    DWORD afterMs;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };
  Script(HWND window, std::vector<Step> steps, DWORD limitMs)
      : thread_([=, this] {
          const DWORD uiThread = GetWindowThreadProcessId(window, nullptr);
          DWORD elapsed = 0;
          for (const Step& step : steps) {
            Sleep(step.afterMs > elapsed ? step.afterMs - elapsed : 0);
            elapsed = step.afterMs;
            PostMessageW(window, step.message, step.wParam, step.lParam);
          }
          while (elapsed < limitMs && !stop_) {
            Sleep(20);
            elapsed += 20;
          }
          if (!stop_) {
            forced_ = true;
            PostThreadMessageW(uiThread, WM_QUIT, 77, 0);
          }
        }) {}
  ~Script() {
    stop_ = true;
    thread_.join();
  }
  // True when the loop had to be stopped by force: the window never ended.
  bool forced() {
    stop_ = true;
    thread_.join();
    thread_ = std::thread([] {});
    return forced_;
  }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<bool> forced_{false};
  std::thread thread_;
};

// True when `text` is the clock's text for one of the last three seconds.
bool ShowsRecentTime(PlatformServices& platform, const std::string& text) {
  const TimeOfDay now = platform.LocalTime();
  const int seconds = now.hour * 3600 + now.minute * 60 + now.second;
  for (int back = 0; back <= 3; ++back) {
    const int at = (seconds - back + 86400) % 86400;
    if (platform.FormatTime(TimeOfDay{at / 3600, at / 60 % 60, at % 60, 0}) == text) return true;
  }
  return false;
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

class Form1WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteKeyTree(kTestKey);
    MarkScreenSaver(false);
    cursorBefore_ = CursorCounter();
  }
  void TearDown() override {
    window_.reset();
    DropQuitMessage();
    DeleteKeyTree(kTestKey);
    MarkScreenSaver(false);
    // Leave the cursor as it was even after a failing test.
    while (CursorCounter() < cursorBefore_) ShowCursor(TRUE);
    while (CursorCounter() > cursorBefore_) ShowCursor(FALSE);
  }

  void Create() {
    Form1WindowOptions options;
    options.settingsKey = kTestKey;
    options.sound = false;
    options.endProgram = [this] { ++endings_; };
    options.wrapDrawing = [this](DrawingControl& inner) {
      auto recording = std::make_unique<RecordingDrawing>(inner);
      drawing_ = recording.get();
      return recording;
    };
    window_ = Form1Window::Create(GetModuleHandleW(nullptr), std::move(options));
  }
  void ShowSmall() { window_->ShowOver(RECT{0, 0, 400, 300}); }
  size_t frames() const { return drawing_->shownAt().size(); }

  std::unique_ptr<Form1Window> window_;
  RecordingDrawing* drawing_ = nullptr;
  int endings_ = 0;
  int cursorBefore_ = 0;
};

TEST_F(Form1WindowTest, CreatingRunsTheLoadWithoutShowingOrDrawing) {
  Create();
  HWND window = window_->hwnd();
  ASSERT_NE(window, nullptr);
  wchar_t text[64] = {};
  GetWindowTextW(window, text, 64);
  EXPECT_STREQ(text, L"Skyvault");
  EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_POPUP);
  EXPECT_FALSE(IsWindowVisible(window));
  // The load ran: first-run values written, pointer hidden.
  EXPECT_EQ(ReadString(kTestKey, "System", "SetReg"), "2");
  EXPECT_EQ(ReadString(kTestKey, "Startup", "BackGround"), "3");
  EXPECT_EQ(CursorCounter(), cursorBefore_ - 1);

  // As in password mode: never shown, the loop never run. The timers tick
  // in whatever loop runs, yet nothing is drawn.
  Pump(2500);
  EXPECT_EQ(frames(), 0u);
  EXPECT_EQ(endings_, 0);
  EXPECT_TRUE(IsWindow(window));

  // Let go of the window: the unload handler shows the pointer again, once.
  window_.reset();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(CursorCounter(), cursorBefore_);
  EXPECT_EQ(endings_, 0);
}

TEST_F(Form1WindowTest, ShownItIsTopmostDrawsFramesAndTheSoundTimerFeedsTheClock) {
  Create();
  ShowSmall();
  HWND window = window_->hwnd();
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT rect{};
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.right - rect.left, 400);
  EXPECT_EQ(rect.bottom - rect.top, 300);

  Script script(window, {{2600, WM_KEYDOWN, 'A', 0}}, 8000);
  window_->RunMessageLoop();
  ASSERT_FALSE(script.forced()) << "a key did not end the saver";

  EXPECT_GT(frames(), 30u);
  // The clock: midnight until the sound timer has stored the time of day,
  // then the time of day, from about a second on.
  Win32PlatformServices platform;
  ASSERT_FALSE(drawing_->texts.empty());
  EXPECT_EQ(drawing_->texts.front(), platform.FormatTime(TimeOfDay{}));
  EXPECT_TRUE(ShowsRecentTime(platform, drawing_->texts.back())) << drawing_->texts.back();
}

TEST_F(Form1WindowTest, KeysAndButtonsEndTheSaverOnceWithThePointerBackAndTheMarkCleared) {
  const std::vector<Script::Step> endings = {
      {300, WM_KEYDOWN, VK_SPACE, 0},       {300, WM_SYSKEYDOWN, VK_MENU, 0},
      {300, WM_LBUTTONDOWN, 0, At(10, 10)}, {300, WM_RBUTTONDOWN, 0, At(10, 10)},
      {300, WM_MBUTTONDOWN, 0, At(10, 10)}, {300, WM_XBUTTONDOWN, MAKEWPARAM(0, 1), At(1, 1)},
  };
  for (const Script::Step& ending : endings) {
    SCOPED_TRACE(ending.message);
    endings_ = 0;
    Create();
    ShowSmall();
    MarkScreenSaver(true);
    HWND window = window_->hwnd();
    Script script(window, {ending}, 8000);
    window_->RunMessageLoop();
    ASSERT_FALSE(script.forced());
    EXPECT_EQ(endings_, 1);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(window_->hwnd(), nullptr);
    EXPECT_EQ(CursorCounter(), cursorBefore_) << "the unload handler ran not exactly once";
    EXPECT_FALSE(ScreenSaverMarked());
    window_.reset();
    EXPECT_EQ(CursorCounter(), cursorBefore_);
  }
}

TEST_F(Form1WindowTest, TheFourthPointerMoveEndsTheSaverAndOtherMessagesDoNot) {
  Create();
  ShowSmall();
  HWND window = window_->hwnd();
  // The first move only gives the position; repeats at one position are no
  // moves. MouseSens is 4 after a first run.
  Script script(window,
                {{200, WM_MOUSEMOVE, 0, At(5, 5)},
                 {250, WM_MOUSEMOVE, 0, At(6, 5)},
                 {300, WM_MOUSEMOVE, 0, At(6, 5)},
                 {350, WM_MOUSEMOVE, 0, At(7, 5)},
                 {400, WM_MOUSEMOVE, 0, At(8, 5)},
                 {450, WM_SYSCOMMAND, SC_SCREENSAVE, 0},
                 {500, WM_ACTIVATEAPP, FALSE, 0},
                 {550, WM_TIMER, 1, 0},
                 {600, WM_TIMER, 2, 0},
                 {650, WM_SETCURSOR, 0, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)},
                 {700, WM_KEYUP, 'A', 0},
                 {750, WM_LBUTTONUP, 0, At(8, 5)},
                 {1500, WM_MOUSEMOVE, 0, At(8, 5)},
                 {1700, WM_MOUSEMOVE, 0, At(9, 5)}},
                8000);
  window_->RunMessageLoop();
  ASSERT_FALSE(script.forced());
  EXPECT_EQ(endings_, 1);
  // Still running at 1500 ms: frames kept coming until the fourth move.
  ASSERT_FALSE(drawing_->shownAt().empty());
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  const double ranMs = (drawing_->shownAt().back() - drawing_->shownAt().front()) * 1000.0 /
                       static_cast<double>(frequency.QuadPart);
  EXPECT_GT(ranMs, 1200.0);
  EXPECT_EQ(CursorCounter(), cursorBefore_);
}

TEST_F(Form1WindowTest, ClosedFromOutsideOnlyTheUnloadHandlerRuns) {
  for (UINT close : {static_cast<UINT>(WM_CLOSE), static_cast<UINT>(WM_SYSCOMMAND)}) {
    SCOPED_TRACE(close);
    endings_ = 0;
    Create();
    ShowSmall();
    MarkScreenSaver(true);
    HWND window = window_->hwnd();
    Script script(window,
                  {{300, close, static_cast<WPARAM>(close == WM_SYSCOMMAND ? SC_CLOSE : 0), 0}},
                  8000);
    window_->RunMessageLoop();
    ASSERT_FALSE(script.forced()) << "the loop went on after the window had gone";
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(endings_, 0) << "CloseDown ran";
    EXPECT_EQ(CursorCounter(), cursorBefore_);
    EXPECT_TRUE(ScreenSaverMarked()) << "the running mark is CloseDown's to clear";
    window_.reset();
    EXPECT_EQ(CursorCounter(), cursorBefore_);
    MarkScreenSaver(false);
  }
}

TEST_F(Form1WindowTest, CloseDownDestroysThisProcesssPreviewAndSetupWindows) {
  auto makeWindow = [](const wchar_t* className) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = className;
    RegisterClassExW(&wc);
    return CreateWindowExW(0, className, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           wc.hInstance, nullptr);
  };
  HWND setup = makeWindow(L"SkyvaultSetup");
  HWND host = makeWindow(L"SkyvaultTestPane");
  HWND preview = makeWindow(L"SkyvaultPreview");
  SetWindowLongW(preview, GWL_STYLE, WS_CHILD);
  SetParent(preview, host);
  HWND bystander = makeWindow(L"SkyvaultTestBystander");

  Create();
  ShowSmall();
  Script script(window_->hwnd(), {{300, WM_KEYDOWN, 'Q', 0}}, 8000);
  window_->RunMessageLoop();
  ASSERT_FALSE(script.forced());
  EXPECT_FALSE(IsWindow(setup));
  EXPECT_FALSE(IsWindow(preview));
  EXPECT_TRUE(IsWindow(host));
  EXPECT_TRUE(IsWindow(bystander));
  DestroyWindow(host);
  DestroyWindow(bystander);
}

}  // namespace
}  // namespace skyvault::win32
