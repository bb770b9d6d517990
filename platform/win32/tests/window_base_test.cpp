#include "platform/win32/window_base.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/window_list.h"

namespace skyvault::win32 {
namespace {

constexpr wchar_t kTestClass[] = L"SkyvaultWindowBaseTest";
constexpr UINT kAsk = WM_APP + 1;  // answered with wParam * 2
constexpr UINT kEnd = WM_APP + 2;  // a modal dialog ends with wParam

class TestWindow final : public WindowBase {
 public:
  explicit TestWindow(int* ends, bool refits = false) : ends_(ends), refits_(refits) {}
  HWND CreatePlain(HWND parent = nullptr, DWORD style = WS_POPUP) {
    RegisterWindowClass(GetModuleHandleW(nullptr), kTestClass, nullptr, nullptr);
    return CreateOwnWindow(GetModuleHandleW(nullptr), kTestClass, L"plain", style, 0,
                           RECT{10, 10, 110, 60}, parent);
  }
  HWND CreateModeless() {
    return CreateDialogWindow(GetModuleHandleW(nullptr), WS_POPUP | WS_CAPTION, 0, L"d", nullptr);
  }
  INT_PTR RunModal() {
    return (modal_ = true),
           RunModalDialog(GetModuleHandleW(nullptr), WS_POPUP | WS_CAPTION, 0, L"m", nullptr);
  }
  using WindowBase::FitClientArea;
  using WindowBase::NoteIn;

  UINT firstMessage = 0;  // the first message seen, with hwnd() already set
  UINT refitDpi = 0;

 private:
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM) override {
    if (!firstMessage && hwnd()) firstMessage = message;
    if (message == WM_INITDIALOG && modal_) PostMessageW(hwnd(), kEnd, 7, 0);
    if (message == kEnd) EndDialog(hwnd(), static_cast<INT_PTR>(wParam));
    if (message == kAsk) return static_cast<LRESULT>(wParam * 2);
    if (message == WM_CTLCOLORSTATIC) return reinterpret_cast<LRESULT>(GetStockObject(GRAY_BRUSH));
    return std::nullopt;
  }
  bool RefitForDpi(UINT dpi) override { return (refitDpi = dpi), refits_; }
  void OnDestroyed() override { ++*ends_; }

  int* ends_;
  bool refits_;
  bool modal_ = false;
};

TEST(WindowBase, PlainWindowsAndDialogsAnswerThroughTheirObject) {
  int ends = 0;
  TestWindow plain(&ends), dialog(&ends);
  ASSERT_NE(plain.CreatePlain(), nullptr);
  ASSERT_NE(dialog.CreateModeless(), nullptr);
  EXPECT_EQ(std::pair(plain.firstMessage, dialog.firstMessage),
            std::pair(UINT(WM_NCCREATE), UINT(WM_INITDIALOG)));
  for (HWND window : {plain.hwnd(), dialog.hwnd()}) {
    EXPECT_EQ(SendMessageW(window, kAsk, 21, 0), 42);  // a dialog's answer via DWLP_MSGRESULT
    wchar_t text[16] = {};
    GetWindowTextW(window, text, 16);  // left to the default handling
    EXPECT_STRNE(text, L"");
  }
  // A colour message answers with the brush itself.
  EXPECT_EQ(SendMessageW(dialog.hwnd(), WM_CTLCOLORSTATIC, 0, 0),
            reinterpret_cast<LRESULT>(GetStockObject(GRAY_BRUSH)));
  DestroyWindow(plain.hwnd());
  DestroyWindow(dialog.hwnd());
  TestWindow modal(&ends);
  EXPECT_EQ(modal.RunModal(), 7);
  EXPECT_EQ(std::tuple(plain.hwnd(), dialog.hwnd(), modal.hwnd(), ends),
            std::tuple(nullptr, nullptr, nullptr, 3));
}

TEST(WindowBase, FitClientAreaAndOnlyAWindowThatRefitsTakesTheSuggestedRectangle) {
  int ends = 0;
  for (const bool refits : {true, false}) {
    TestWindow window(&ends, refits);
    HWND hwnd = window.CreatePlain(nullptr, WS_POPUP | WS_CAPTION | WS_SYSMENU);
    window.FitClientArea(321, 123, 96);
    RECT client{}, before{}, after{}, suggested{200, 150, 400, 250};
    GetClientRect(hwnd, &client);
    GetWindowRect(hwnd, &before);
    EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(321L, 123L));
    SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(window.refitDpi, 144u);
    GetWindowRect(hwnd, &after);
    EXPECT_TRUE(EqualRect(&after, refits ? &suggested : &before)) << refits;
  }
}

// A window gone by itself, or with its object (unended: the object is going), has left the list.
TEST(WindowList, DestroyAllEndsEveryNotedWindowOnceEvenAChildOfAnother) {
  int ends = 0;
  WindowList list;
  HWND standing = nullptr;
  {
    TestWindow window(&ends);
    standing = window.CreatePlain();
    window.NoteIn(list);
  }
  EXPECT_EQ(std::pair(bool(IsWindow(standing)), ends), std::pair(false, 0));
  TestWindow parent(&ends), child(&ends), gone(&ends), unnoted(&ends);
  parent.CreatePlain();
  child.CreatePlain(parent.hwnd(), WS_CHILD);
  gone.CreatePlain();
  unnoted.CreatePlain();
  for (TestWindow* window : {&parent, &child, &gone}) window->NoteIn(list);
  DestroyWindow(gone.hwnd());
  EXPECT_EQ(list.windows(), (std::vector<HWND>{parent.hwnd(), child.hwnd()}));
  list.DestroyAll();
  list.DestroyAll();  // nothing noted any more: nothing happens
  EXPECT_TRUE(list.windows().empty());
  EXPECT_EQ(std::tuple(parent.hwnd(), child.hwnd(), ends), std::tuple(nullptr, nullptr, 3));
  EXPECT_NE(unnoted.hwnd(), nullptr);
}

}  // namespace
}  // namespace skyvault::win32
