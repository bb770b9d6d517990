#include "controls/win32/win32_drawing_control.h"

#include <gtest/gtest.h>

#include <map>

#include "controls/pixel_format.h"
#include "controls/tests/fake_image_decoder.h"
#include "controls/win32/frame_loop.h"
#include "controls/win32/tests/test_window.h"

namespace skyvault::win32 {
namespace {

using skyvault::testing::FakeImageDecoder;
using skyvault::testing::OpaqueImage;
using testing::CountingEvents;
using testing::TestWindow;

uint16_t At(const CanvasView& canvas, int x, int y) {
  return reinterpret_cast<const uint16_t*>(canvas.Row(y))[x];
}

// The colours of the canvas pixels inside and outside a rectangle.
struct Census {
  std::map<uint16_t, int> inside;
  int outsideNonBlack = 0;
};
Census Count(const CanvasView& canvas, const PixelRect& rect) {
  Census c;
  for (int y = 0; y < canvas.height; ++y) {
    for (int x = 0; x < canvas.width; ++x) {
      const uint16_t p = At(canvas, x, y);
      const bool in = x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
      if (in && p != 0) ++c.inside[p];
      if (!in && p != 0) ++c.outsideNonBlack;
    }
  }
  return c;
}
uint16_t MostCommon(const std::map<uint16_t, int>& counts) {
  uint16_t best = 0;
  int most = 0;
  for (auto [colour, n] : counts) {
    if (n > most) {
      most = n;
      best = colour;
    }
  }
  return best;
}

class Win32DrawingControlTest : public ::testing::Test {
 protected:
  Win32DrawingControlTest() {
    auto fake = std::make_unique<FakeImageDecoder>();
    decoder = fake.get();
    control = std::make_unique<Win32DrawingControl>(window.hwnd, std::move(fake));
    window.control = control.get();
    control->SetEvents(&events);
  }
  TestWindow window{0, 0, 1000, 700};
  FakeImageDecoder* decoder = nullptr;
  std::unique_ptr<Win32DrawingControl> control;
  CountingEvents events;
};

TEST_F(Win32DrawingControlTest, OpensASixteenBitCanvasOnThisDisplay) {
  ASSERT_TRUE(control->InitDisplay(800, 600, 16, ""));
  EXPECT_EQ(control->canvas().depth, 16);
  EXPECT_EQ(control->canvas().width, 800);
  EXPECT_EQ(control->canvas().stride, 1600);
}

TEST_F(Win32DrawingControlTest, TextLandsInTheGivenColourAtTheGivenPlace) {
  ASSERT_TRUE(control->InitDisplay(800, 600, 16, ""));
  control->ClearFrame(0);
  control->SetTextFont("Arial", 24, 1, false, false, false);
  control->DrawText("Place a Message Here", 5, 575, Rgb(0, 255, 255));
  control->ShowFrame();
  Census message = Count(control->canvas(), {5, 575, 800, 600});
  EXPECT_EQ(message.outsideNonBlack, 0);
  ASSERT_GT(message.inside.size(), 0u);
  EXPECT_EQ(MostCommon(message.inside), 0x07FF);
  EXPECT_GT(message.inside[0x07FF], 100);
  // A size-24 line fits in the 25 rows below y = 575: the bottom row stays free.
  for (int x = 0; x < 800; ++x) EXPECT_EQ(At(control->canvas(), x, 599), 0) << x;

  control->ClearFrame(0);
  control->SetTextFont("Arial", 16, 1, false, false, false);
  control->DrawText("12:34:56", 0, 0, Rgb(255, 255, 0));
  control->ShowFrame();
  Census clock = Count(control->canvas(), {0, 0, 120, 17});
  EXPECT_EQ(clock.outsideNonBlack, 0);
  EXPECT_EQ(MostCommon(clock.inside), 0xFFE0);
}

TEST_F(Win32DrawingControlTest, TextColoursBetweenLevelsAndUnknownFaces) {
  ASSERT_TRUE(control->InitDisplay(800, 600, 16, ""));
  control->ClearFrame(0);
  control->SetTextFont("No Such Face At All", 40, 700, true, true, false);
  control->DrawText("MMMM", 100, 100, Rgb(0, 226, 251));
  control->ShowFrame();
  Census text = Count(control->canvas(), {0, 100, 800, 145});
  ASSERT_GT(text.inside.size(), 0u);
  EXPECT_EQ(text.outsideNonBlack, 0);
  EXPECT_EQ(MostCommon(text.inside), 0x071F);
}

TEST_F(Win32DrawingControlTest, TextComesBeforeLaterSprites) {
  ASSERT_TRUE(control->InitDisplay(800, 600, 16, ""));
  decoder->pictures["cover"] = OpaqueImage(200, 40, {});
  for (auto& p : decoder->pictures["cover"].pixels) p = 0xFFFF0000;
  const int32_t s = control->CreateSprite();
  control->LoadSpriteBitmap(s, 1, "cover", -2);
  control->ClearFrame(0);
  control->SetTextFont("Arial", 24, 1, false, false, false);
  control->DrawText("XXXX", 0, 0, Rgb(255, 255, 255));
  control->DrawSprite(s);
  control->ShowFrame();
  Census c = Count(control->canvas(), {0, 0, 200, 40});
  EXPECT_EQ(c.inside.size(), 1u);
  EXPECT_EQ(c.inside[0xF800], 200 * 40);
}

TEST_F(Win32DrawingControlTest, InputMessagesRaiseTheirEvents) {
  EXPECT_TRUE(control->HandleInputMessage(WM_KEYDOWN, 'A', 0));
  EXPECT_TRUE(control->HandleInputMessage(WM_SYSKEYDOWN, VK_MENU, 0));
  EXPECT_EQ(events.keys, 2);
  for (UINT m : {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN, WM_XBUTTONDOWN}) {
    EXPECT_TRUE(control->HandleInputMessage(m, 0, MAKELPARAM(5, 5)));
  }
  EXPECT_EQ(events.buttons, 4);
  EXPECT_FALSE(control->HandleInputMessage(WM_LBUTTONUP, 0, 0));
  EXPECT_FALSE(control->HandleInputMessage(WM_KEYUP, 'A', 0));
  EXPECT_EQ(events.keys, 2);
  EXPECT_EQ(events.buttons, 4);
}

TEST_F(Win32DrawingControlTest, PointerMessagesWithoutMovementAreNoMoves) {
  control->HandleInputMessage(WM_MOUSEMOVE, 0, MAKELPARAM(300, 200));  // where it is
  control->HandleInputMessage(WM_MOUSEMOVE, 0, MAKELPARAM(300, 200));  // cursor hidden, same place
  EXPECT_EQ(events.moves, 0);
  control->HandleInputMessage(WM_MOUSEMOVE, 0, MAKELPARAM(301, 200));
  control->HandleInputMessage(WM_MOUSEMOVE, 0, MAKELPARAM(301, 200));
  control->HandleInputMessage(WM_MOUSEMOVE, 0, MAKELPARAM(301, 199));
  EXPECT_EQ(events.moves, 2);
  // Negative client coordinates (a monitor left of the primary) are positions too.
  control->HandleInputMessage(WM_MOUSEMOVE, 0, MAKELPARAM(-5, 199));
  EXPECT_EQ(events.moves, 3);
}

TEST_F(Win32DrawingControlTest, FramesOnlyOnceTheDisplayIsOpen) {
  control->RaiseFrame();
  EXPECT_EQ(events.frames, 0);
  ASSERT_TRUE(control->InitDisplay(800, 600, 16, ""));
  control->RaiseFrame();
  EXPECT_EQ(events.frames, 1);
}

// The window shows the canvas letterboxed: 1000 x 700 takes a 933 x 700
// picture from x = 33, black bars left and right.
TEST_F(Win32DrawingControlTest, ShowFramePutsTheScaledCanvasOnTheWindow) {
  ASSERT_TRUE(control->InitDisplay(800, 600, 16, ""));
  const auto targets = control->presenter().Targets();
  decoder->pictures["red"] = OpaqueImage(100, 100, {});
  for (auto& p : decoder->pictures["red"].pixels) p = 0xFFFF0000;
  const int32_t s = control->CreateSprite();
  control->LoadSpriteBitmap(s, 1, "red", -2);
  control->SetSpriteX(s, 400);
  control->SetSpriteY(s, 300);
  control->ClearFrame(Rgb(0, 0, 255));
  control->DrawSprite(s);
  control->ShowFrame();
  window.Pump();
  ASSERT_EQ(control->presenter().Targets().size(), 1u);
  EXPECT_EQ(control->presenter().Targets()[0], (PixelRect{33, 0, 966, 700}));
  HDC dc = GetDC(window.hwnd);
  EXPECT_EQ(GetPixel(dc, 10, 350), RGB(0, 0, 0));    // left bar
  EXPECT_EQ(GetPixel(dc, 32, 10), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(dc, 33, 10), RGB(0, 0, 255));   // first picture column
  EXPECT_EQ(GetPixel(dc, 965, 699), RGB(0, 0, 255)); // last picture pixel
  EXPECT_EQ(GetPixel(dc, 966, 350), RGB(0, 0, 0));   // right bar
  // The sprite covers canvas 400..499 x 300..399: output x from 33 + 400 * 933 / 800.
  EXPECT_EQ(GetPixel(dc, 33 + 470, 360), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 33 + 462, 350), RGB(0, 0, 255));
  // Next frame: the sprite moves; the new place shows red, the old blue.
  control->SetSpriteX(s, 100);
  control->ClearFrame(Rgb(0, 0, 255));
  control->DrawSprite(s);
  control->ShowFrame();
  EXPECT_EQ(GetPixel(dc, 33 + 470, 360), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 33 + 150, 360), RGB(255, 0, 0));
  // Uncovered: painting brings back the last frame.
  RECT all{0, 0, 1000, 700};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  InvalidateRect(window.hwnd, nullptr, FALSE);
  UpdateWindow(window.hwnd);
  EXPECT_EQ(GetPixel(dc, 33 + 150, 360), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 10, 10), RGB(0, 0, 0));
  ReleaseDC(window.hwnd, dc);
}

TEST(FrameLoop, DispatchesMessagesRaisesFramesAndEndsWithTheQuitCode) {
  TestWindow window(0, 0, 10, 10, false);
  int frames = 0;
  bool posted = false;
  LARGE_INTEGER start, end, frequency;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  const int code = RunFrameLoop([&] {
    if (++frames == 1) {
      PostMessageW(window.hwnd, WM_KEYDOWN, 'A', 0);
      posted = true;
    }
    if (frames == 30) PostQuitMessage(42);
  });
  QueryPerformanceCounter(&end);
  EXPECT_TRUE(posted);
  EXPECT_EQ(code, 42);
  EXPECT_EQ(frames, 30);
  // Thirty frames at sixty a second cannot come sooner than half a second
  // (less one frame, the first coming one period after the start).
  EXPECT_GE((end.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart, 480);
}

}  // namespace
}  // namespace skyvault::win32
