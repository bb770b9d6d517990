#include <gtest/gtest.h>

#include "startup/win32/tests/saver_process.h"

namespace skyvault::win32 {
namespace {

using testing::PumpMessages;
using testing::SaverProcess;

// A window standing in for the Screen Saver Settings pane or its preview.
class HostWindow {
 public:
  HostWindow(const wchar_t* title, DWORD style, int width, int height) {
    WNDCLASSEXW wc{sizeof wc};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SkyvaultTestHost";
    RegisterClassExW(&wc);
    hwnd = CreateWindowExW(0, L"SkyvaultTestHost", title, style, 10, 10, width, height, nullptr,
                           nullptr, wc.hInstance, nullptr);
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  }
  ~HostWindow() {
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
  }
  HWND hwnd = nullptr;
};

HWND FirstChild(HWND parent) { return GetWindow(parent, GW_CHILD); }

TEST(PreviewMode, EmbedsThePictureInTheHostPaneAndEndsWithIt) {
  HostWindow host(L"Preview host", WS_POPUP | WS_VISIBLE, 152, 112);
  RECT client{};
  GetClientRect(host.hwnd, &client);
  const std::wstring number = std::to_wstring(reinterpret_cast<intptr_t>(host.hwnd));
  SaverProcess saver(L"/p " + number);
  ASSERT_TRUE(saver.started());

  HWND preview = nullptr;
  for (int i = 0; i < 200 && !preview; ++i) {
    PumpMessages(25);
    preview = FirstChild(host.hwnd);
  }
  ASSERT_NE(preview, nullptr) << "no preview window appeared in the host";
  wchar_t caption[32] = {};
  GetWindowTextW(preview, caption, 32);
  EXPECT_STREQ(caption, L"Preview");
  EXPECT_TRUE(GetWindowLongW(preview, GWL_STYLE) & WS_CHILD);
  EXPECT_FALSE(GetWindowLongW(preview, GWL_STYLE) & WS_POPUP);
  EXPECT_EQ(GetParent(preview), host.hwnd);
  EXPECT_EQ(reinterpret_cast<HWND>(GetWindowLongPtrW(preview, GWLP_HWNDPARENT)), host.hwnd);
  EXPECT_TRUE(IsWindowVisible(preview));
  RECT rect{};
  GetWindowRect(preview, &rect);
  POINT origin{0, 0};
  ClientToScreen(host.hwnd, &origin);
  EXPECT_EQ(rect.left, origin.x);
  EXPECT_EQ(rect.top, origin.y);
  EXPECT_EQ(rect.right - rect.left, client.right);
  EXPECT_EQ(rect.bottom - rect.top, client.bottom);
  EXPECT_TRUE(saver.running());

  DestroyWindow(host.hwnd);
  EXPECT_TRUE(saver.WaitForExit(5000)) << "the preview outlived its pane";
}

TEST(PreviewMode, NoUsableWindowNumberEndsAtOnce) {
  for (const wchar_t* arguments : {L"/p", L"/p 0", L"/p 12345677", L"/p:abc"}) {
    SaverProcess saver(arguments);
    ASSERT_TRUE(saver.started());
    EXPECT_TRUE(saver.WaitForExit(5000)) << arguments;
  }
}

TEST(UnknownSwitch, ShowsNothingAndEnds) {
  for (const wchar_t* arguments : {L"/x", L"-s", L"s"}) {
    SaverProcess saver(arguments);
    ASSERT_TRUE(saver.started());
    EXPECT_TRUE(saver.WaitForExit(5000)) << arguments;
    EXPECT_TRUE(saver.VisibleWindows().empty()) << arguments;
    EXPECT_EQ(saver.exitCode(), 0u);
  }
}

TEST(PasswordMode, NeverShowsTheDisplayWindowAndEnds) {
  // Wine's mpr has no password dialog: the call is skipped and the program ends.
  SaverProcess saver(L"/a 1234");
  ASSERT_TRUE(saver.started());
  EXPECT_TRUE(saver.WaitForExit(10000));
  EXPECT_TRUE(saver.VisibleWindows().empty());
}

TEST(FullScreenMode, ASecondSaverEndsUnlessTheSettingsPaneIsOpen) {
  SaverProcess first(L"/s");
  ASSERT_TRUE(first.started());
  HWND display = first.WaitForTopWindow(20000);
  ASSERT_NE(display, nullptr) << "the saver showed no window";

  {
    SaverProcess second(L"/S");
    EXPECT_TRUE(second.WaitForExit(5000)) << "a second saver started while the first runs";
  }
  {
    // A preview or the dialog never stops a saver; the pane's own Preview
    // button starts a full-screen test while the pane is open.
    HostWindow pane(L"Screen Saver Settings", WS_OVERLAPPEDWINDOW, 300, 200);
    SaverProcess second(L"/s");
    EXPECT_FALSE(second.WaitForExit(3000)) << "the pane's test run ended at once";
  }
  {
    HostWindow pane(L"Display Properties", WS_OVERLAPPEDWINDOW, 300, 200);
    SaverProcess second(L"/s");
    EXPECT_FALSE(second.WaitForExit(3000));
  }
  PostMessageW(display, WM_KEYDOWN, 'A', 0);
  EXPECT_TRUE(first.WaitForExit(10000)) << "a key did not end the saver";
}

TEST(FullScreenMode, CoversTheWholeVirtualScreen) {
  SaverProcess saver(L"/s");
  HWND display = saver.WaitForTopWindow(20000);
  ASSERT_NE(display, nullptr);
  RECT rect{};
  GetWindowRect(display, &rect);
  EXPECT_EQ(rect.left, GetSystemMetrics(SM_XVIRTUALSCREEN));
  EXPECT_EQ(rect.top, GetSystemMetrics(SM_YVIRTUALSCREEN));
  EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
  EXPECT_EQ(rect.bottom - rect.top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
  EXPECT_TRUE(GetWindowLongW(display, GWL_EXSTYLE) & WS_EX_TOPMOST);
  PostMessageW(display, WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_TRUE(saver.WaitForExit(10000));
}

}  // namespace
}  // namespace skyvault::win32
