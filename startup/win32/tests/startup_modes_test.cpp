#include <gtest/gtest.h>

#include "platform/testing/win32/message_wait.h"
#include "platform/testing/win32/saver_process.h"
#include "platform/testing/win32/test_window.h"

namespace skyvault::win32 {
namespace {

using testing::SaverProcess, testing::WaitUntil;
using HostWindow = testing::TestWindow;  // stands in for the Screen Saver Settings pane
const std::wstring kSaver = Widen(SKYVAULT_SCR);

// The real program in a pane of the Screen Saver Settings' size (pixels: preview_window_test).
TEST(PreviewMode, PlaysSilentlyInTheHostPaneAndEndsWithIt) {
  HostWindow host(152, 112, WS_POPUP | WS_VISIBLE, L"Preview host");
  const HWND foreground = GetForegroundWindow();
  RECT client{};
  GetClientRect(host.hwnd, &client);
  const std::wstring number = std::to_wstring(reinterpret_cast<intptr_t>(host.hwnd));
  SaverProcess saver(kSaver, L"/p " + number);
  ASSERT_TRUE(saver.started());

  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(GetWindow(host.hwnd, GW_CHILD)); }, 5000))
      << "no preview window appeared in the host";
  HWND preview = GetWindow(host.hwnd, GW_CHILD);
  EXPECT_TRUE(GetWindowLongW(preview, GWL_STYLE) & WS_CHILD);
  EXPECT_EQ(reinterpret_cast<HWND>(GetWindowLongPtrW(preview, GWLP_HWNDPARENT)), host.hwnd);
  RECT rect{};
  GetWindowRect(preview, &rect);
  MapWindowPoints(host.hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
  EXPECT_TRUE(EqualRect(&rect, &client));
  EXPECT_TRUE(saver.running());

  // Playing for a while: no audio library loaded, the focus where it was.
  EXPECT_FALSE(saver.WaitForExit(1000));
  EXPECT_FALSE(saver.HasLoaded(L"dsound.dll")) << "the preview opened the sound control";
  EXPECT_EQ(GetForegroundWindow(), foreground);

  DestroyWindow(host.hwnd);
  EXPECT_TRUE(saver.WaitForExit(1000)) << "the preview outlived its pane";
}

// No usable window number, an unknown switch, password mode (no dialog in Wine): end unseen.
TEST(OtherModes, ShowNothingAndEnd) {
  for (const wchar_t* arguments : {L"/p 0", L"/p 12345677", L"/x", L"/a 1234"}) {
    SaverProcess saver(kSaver, arguments);
    ASSERT_TRUE(saver.started());
    EXPECT_TRUE(saver.WaitForExit(10000)) << arguments;
    EXPECT_TRUE(saver.VisibleWindows().empty()) << arguments;
    EXPECT_EQ(saver.exitCode(), 0u) << arguments;
  }
}

TEST(FullScreenMode, CoversTheVirtualScreenAndASecondSaverEndsUnlessTheSettingsPaneIsOpen) {
  SaverProcess first(kSaver, L"/s");
  ASSERT_TRUE(first.started());
  HWND display = first.WaitForTopWindow(20000);
  ASSERT_NE(display, nullptr) << "the saver showed no window";
  RECT rect{}, screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN)};
  screen.right = screen.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
  screen.bottom = screen.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
  EXPECT_TRUE(GetWindowRect(display, &rect) && EqualRect(&rect, &screen));
  EXPECT_TRUE(GetWindowLongW(display, GWL_EXSTYLE) & WS_EX_TOPMOST);
  // Its sound control is open (what the preview must never do).
  EXPECT_TRUE(first.HasLoaded(L"dsound.dll"));

  {
    SaverProcess second(kSaver, L"/S");
    EXPECT_TRUE(second.WaitForExit(5000)) << "a second saver started while the first runs";
  }
  // The pane's Preview button starts a full-screen test while the pane is open.
  for (const wchar_t* pane : {L"Screen Saver Settings", L"Display Properties"}) {
    HostWindow open(300, 200, WS_OVERLAPPEDWINDOW, pane);
    SaverProcess second(kSaver, L"/s");
    EXPECT_FALSE(second.WaitForExit(3000)) << "the pane's test run ended at once";
  }
  PostMessageW(display, WM_KEYDOWN, 'A', 0);
  EXPECT_TRUE(first.WaitForExit(10000)) << "a key did not end the saver";
}

}  // namespace
}  // namespace skyvault::win32
