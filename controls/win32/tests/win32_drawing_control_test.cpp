#include "controls/win32/win32_drawing_control.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "controls/testing/fake_image_decoder.h"
#include "controls/win32/frame_loop.h"
#include "platform/testing/win32/test_window.h"

namespace skyvault::win32 {
namespace {

struct CountingEvents : DrawingEvents {  // the control's events, counted
  void OnFrame() override { ++frames; }
  void OnPointerMove() override { ++moves; }
  void OnMouseButton() override { ++buttons; }
  void OnKey() override { ++keys; }
  int frames = 0, moves = 0, buttons = 0, keys = 0;
};

class Win32DrawingControlTest : public ::testing::Test {
 protected:
  Win32DrawingControlTest() {
    auto fake = std::make_unique<skyvault::testing::FakeImageDecoder>();
    decoder = fake.get();
    control = std::make_unique<Win32DrawingControl>(window.hwnd, std::move(fake));
    window.handler = [this](UINT message, WPARAM wp, LPARAM lp, LRESULT* result) {
      return control->HandleWindowMessage(message, wp, lp, result);
    };
    control->SetEvents(&events);
  }
  int32_t RedSprite(int w, int h) {
    decoder->pictures["red"] = DecodedImage{w, h, std::vector<uint32_t>(w * h, 0xFFFF0000), false};
    const int32_t s = control->CreateSprite();
    control->LoadSpriteBitmap(s, 1, "red", -2);
    return s;
  }
  // A rectangle of the 800 x 600 frame on the canvas, which has the screen's resolution.
  PixelRect OnCanvas(const PixelRect& frame) const {
    const double s = control->scale();
    auto at = [s](int v) { return static_cast<int>(std::lround(v * s)); };
    return {at(frame.left), at(frame.top), at(frame.right), at(frame.bottom)};
  }
  // How many canvas pixels of each colour but black lie inside `rect`; those outside: kOutside.
  static constexpr uint32_t kOutside = 0x1000000;
  std::map<uint32_t, int> Colours(const PixelRect& rect) {
    std::map<uint32_t, int> inside;
    const CanvasView& canvas = control->canvas();
    for (int y = 0; y < canvas.height; ++y)
      for (int x = 0; x < canvas.width; ++x)
        if (const uint32_t p = reinterpret_cast<const uint32_t*>(canvas.Row(y))[x] & 0xFFFFFF)
          ++inside[rect.Intersect({x, y, x + 1, y + 1}).Empty() ? kOutside : p];
    return inside;
  }
  testing::TestWindow window{1000, 700};
  skyvault::testing::FakeImageDecoder* decoder = nullptr;
  std::unique_ptr<Win32DrawingControl> control;
  CountingEvents events;
};

// At the screen's resolution, with a known face, an unknown one, and under a later sprite.
TEST_F(Win32DrawingControlTest, TextLandsOnTheCanvasInTheGivenColourAtTheGivenPlace) {
  ASSERT_TRUE(control->InitDisplay(800, 600, 16, ""));
  EXPECT_EQ(control->canvas().width, OnCanvas({0, 0, 800, 600}).right);  // at the screen's size
  // Text at (x, y) in a face of a size must land in the frame's rectangle from (x, y) to
  // (800, bottom), in its colour (red + 256 green + 65536 blue; shown as 0xRRGGBB).
  for (auto [face, size, text, x, y, bottom, colour, shown] :
       {std::tuple{"Arial", 24, "Place a Message Here", 5, 575, 599, Rgb(0, 255, 255), 0x00FFFFu},
        {"No Such Face At All", 40, "MMMM", 100, 100, 145, Rgb(0, 226, 251), 0x00E2FBu}}) {
    control->ClearFrame(0);
    control->SetTextFont(face, size, 1, false, false, false);
    control->DrawText(text, x, y, colour);
    control->ShowFrame();
    auto inside = Colours(OnCanvas({x, y, 800, bottom}));
    EXPECT_EQ(inside[kOutside], 0) << text;
    EXPECT_GT(inside[shown], 40) << text;  // the glyphs' cores; their edges are smoothed
    for (auto [other, n] : inside) EXPECT_LE(n, inside[shown]) << text << std::hex << other;
  }
  const int32_t cover = RedSprite(200, 40);
  control->ClearFrame(0);
  control->DrawText("XXXX", 0, 0, Rgb(255, 255, 255));
  control->DrawSprite(cover);
  control->ShowFrame();
  const PixelRect covered = OnCanvas({0, 0, 200, 40});
  EXPECT_EQ(Colours(covered),
            (std::map<uint32_t, int>{{0xFF0000, covered.Width() * covered.Height()}}));
}

TEST_F(Win32DrawingControlTest, InputRaisesItsEventsButAPointerMessageWithoutMovementIsNoMove) {
  for (UINT m :
       {WM_KEYDOWN, WM_SYSKEYDOWN, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN, WM_XBUTTONDOWN})
    EXPECT_TRUE(control->HandleInputMessage(m, 'A', MAKELPARAM(5, 5)));
  EXPECT_FALSE(control->HandleInputMessage(WM_LBUTTONUP, 0, 0));
  EXPECT_FALSE(control->HandleInputMessage(WM_KEYUP, 'A', 0));
  // The first position is no move, nor is a repeat; a new position is.
  for (auto [x, y] : {std::pair{300, 200}, {300, 200}, {-5, 199}})
    control->HandleInputMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  EXPECT_EQ(std::tuple(events.keys, events.buttons, events.moves), std::tuple(2, 4, 1));
  control->RaiseFrame();  // frames only once the display is open
  ASSERT_TRUE(control->InitDisplay(800, 600, 16, ""));
  control->RaiseFrame();
  EXPECT_EQ(events.frames, 1);
}

// 1000 x 700 shows the canvas as 933 x 700 from x = 33, black bars beside.
TEST_F(Win32DrawingControlTest, ShowFramePutsTheScaledCanvasOnTheWindowAndRepaintsIt) {
  ASSERT_TRUE(control->InitDisplay(800, 600, 16, ""));
  const int32_t s = RedSprite(100, 100);
  const auto frame = [&](int x) {  // the sprite at (x, 300) on blue
    control->SetSpriteX(s, x);
    control->SetSpriteY(s, 300);
    control->ClearFrame(Rgb(0, 0, 255));
    control->DrawSprite(s);
    control->ShowFrame();
  };
  frame(400);
  for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&msg);
  HDC dc = GetDC(window.hwnd);
  auto expectPixels = [&](std::initializer_list<std::tuple<int, int, COLORREF>> pixels) {
    for (auto [x, y, colour] : pixels) EXPECT_EQ(GetPixel(dc, x, y), colour) << x << "," << y;
  };
  const COLORREF black = RGB(0, 0, 0), blue = RGB(0, 0, 255), red = RGB(255, 0, 0);
  expectPixels({{32, 10, black}, {33, 10, blue}, {965, 699, blue}, {966, 350, black}});
  expectPixels({{33 + 470, 360, red}, {33 + 462, 350, blue}});  // its left edge: 400 * 933 / 800
  frame(100);
  expectPixels({{33 + 470, 360, blue}, {33 + 150, 360, red}});
  const RECT all{0, 0, 1000, 700};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  InvalidateRect(window.hwnd, nullptr, FALSE);
  UpdateWindow(window.hwnd);  // uncovered: the last frame comes back
  expectPixels({{33 + 150, 360, red}, {10, 10, black}});
  ReleaseDC(window.hwnd, dc);
}

TEST(FrameLoop, RaisesSixtyFramesASecondAndEndsWithTheQuitCode) {
  int frames = 0;
  LARGE_INTEGER start, end, frequency;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  const int code = RunFrameLoop([&] {
    if (++frames == 30) PostQuitMessage(42);
  });
  QueryPerformanceCounter(&end);
  EXPECT_EQ(std::tuple(code, frames), std::tuple(42, 30));
  // Thirty frames cannot come sooner than half a second, less the first period.
  EXPECT_GE((end.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart, 480);
}

}  // namespace
}  // namespace skyvault::win32
