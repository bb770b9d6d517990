// GoogleTest before Xlib, whose macros (None, Bool) would break it.
#include <gtest/gtest.h>

#include <functional>
// Then the rest.
#include <X11/Xutil.h>

#include "controls/linux/x_drawing_control.h"

#include "controls/linux/tests/xvfb_server.h"
#include "controls/linux/x_error_trap.h"

namespace skyvault {
namespace {

constexpr int32_t kRed = Rgb(255, 0, 0);
constexpr int32_t kBlue = Rgb(0, 0, 255);

// Every picture is a 40 x 30 green block.
struct GreenBlocks : ImageDecoder {
  std::optional<DecodedImage> Decode(const std::string&) override {
    return DecodedImage{40, 30, std::vector<uint32_t>(40 * 30, 0xFF00FF00u), false};
  }
};

// Counts the drawing control's events.
struct EventCounts : DrawingEvents {
  void OnFrame() override {
    ++frames;
    if (frame) frame();
  }
  void OnPointerMove() override { ++moves; }
  void OnMouseButton() override { ++buttons; }
  void OnKey() override { ++keys; }
  int frames = 0, moves = 0, buttons = 0, keys = 0;
  std::function<void()> frame;  // what a frame draws
};

class XDrawingControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(server_.display.empty()) << "Xvfb did not start";
    display_ = XOpenDisplay(server_.display.c_str());
    ASSERT_NE(display_, nullptr);
    XSetErrorHandler(&NoteXError);
    window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 400, 200, 0, 0,
                                  WhitePixel(display_, 0));
    XMapWindow(display_, window_);
    XSync(display_, False);
  }
  void TearDown() override {
    if (display_) XCloseDisplay(display_);
  }
  std::unique_ptr<XDrawingControl> Control(XImageSurface::Options surface, bool input = false) {
    XDrawingControl::Options options;
    options.input = input;
    options.surface = surface;
    options.decoder = std::make_unique<GreenBlocks>();
    return std::make_unique<XDrawingControl>(display_, window_, std::move(options));
  }
  // The window's pixel, as 0xRRGGBB, read back from the server.
  uint32_t Pixel(int x, int y) {
    XSync(display_, False);
    XImage* image = XGetImage(display_, window_, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) return 0xDEADBEEF;
    const uint32_t pixel = static_cast<uint32_t>(XGetPixel(image, 0, 0)) & 0xFFFFFF;
    XDestroyImage(image);
    return pixel;
  }
  // Hands the control what the server sent since the last call.
  void Deliver(XDrawingControl& control) {
    XSync(display_, False);
    while (XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      control.HandleEvent(event);
    }
  }

  XvfbServer server_;
  Display* display_ = nullptr;
  Window window_ = 0;
};

TEST_F(XDrawingControlTest, FramesReachTheWindowLetterboxedWithEitherWayOfSending) {
  struct Mode {
    const char* name;
    XImageSurface::Options options;
    bool shared;
  };
  for (const Mode& mode :
       {Mode{"shared memory", {true, false}, true}, Mode{"attach refused", {true, true}, false},
        Mode{"plain", {false, false}, false}}) {
    SCOPED_TRACE(mode.name);
    auto control = Control(mode.options);
    ASSERT_TRUE(control->InitDisplay(800, 600, 16, ""));
    control->ClearFrame(kRed);
    control->ShowFrame();
    EXPECT_EQ(control->surface().sharedMemory(), mode.shared);
    // 800 x 600 in 400 x 200: the letterbox (its sums are the layout's test),
    // black bars beside it.
    const PixelRect target = control->host().target();
    EXPECT_EQ(Pixel(200, 100), 0xFF0000u);
    EXPECT_EQ(Pixel(target.left + 1, 1), 0xFF0000u);
    EXPECT_EQ(Pixel(target.left - 2, 100), 0u);
    EXPECT_EQ(Pixel(target.right + 1, 199), 0u);

    // A picture on part of the frame: only about its part is sent.
    const int32_t sprite = control->CreateSprite();
    control->LoadSpriteBitmap(sprite, 1, "block", -2);
    control->SetSpriteX(sprite, 300);
    control->SetSpriteY(sprite, 300);
    control->ClearFrame(kRed);
    control->DrawSprite(sprite);
    control->ShowFrame();
    EXPECT_GT(control->host().lastSentPixels(), 0);
    EXPECT_LT(control->host().lastSentPixels(), 20 * 15 * 4);
    const int x = target.left + 320 * target.Width() / 800, y = 320 * 200 / 600;
    EXPECT_EQ(Pixel(x, y), 0x00FF00u);
    EXPECT_EQ(Pixel(x - 20, y), 0xFF0000u);

    // Nothing changed: nothing sent.
    control->ClearFrame(kRed);
    control->DrawSprite(sprite);
    control->ShowFrame();
    EXPECT_EQ(control->host().lastSentPixels(), 0);
    control.reset();
    Deliver(*Control(mode.options));  // no completion left behind for the next
  }
}

TEST_F(XDrawingControlTest, FollowsTheWindowsSizeAndRepaintsWhatWasExposed) {
  auto control = Control({});
  EventCounts events;
  events.frame = [&] {
    control->ClearFrame(kBlue);
    control->ShowFrame();
  };
  control->SetEvents(&events);
  ASSERT_TRUE(control->InitDisplay(800, 600, 16, ""));
  control->RaiseFrame();
  XResizeWindow(display_, window_, 200, 300);
  Deliver(*control);
  control->RaiseFrame();  // composed anew at the window's size
  // 800 x 600 in 200 x 300: 200 x 150 with bars above and below.
  EXPECT_EQ(std::pair(control->canvas().width, control->canvas().height), std::pair(200, 150));
  EXPECT_EQ(control->host().target(), (PixelRect{0, 75, 200, 225}));
  EXPECT_EQ(control->host().lastSentPixels(), 200 * 300);
  EXPECT_EQ(Pixel(100, 150), 0x0000FFu);
  EXPECT_EQ(Pixel(100, 10), 0u);
  EXPECT_EQ(Pixel(199, 290), 0u);

  // The server forgets the window's pixels (unmapped and mapped again,
  // with a white background): Expose brings them back without a frame.
  XUnmapWindow(display_, window_);
  XMapWindow(display_, window_);
  XSync(display_, False);
  Deliver(*control);
  EXPECT_EQ(Pixel(100, 150), 0x0000FFu);
  EXPECT_EQ(Pixel(100, 10), 0u);
}

TEST_F(XDrawingControlTest, InputOnlyOnAWindowOfItsOwn) {
  auto event = [&](int type, unsigned int detail = 1, int x = 0, int y = 0) {
    XEvent e{};
    e.xany.type = type;
    e.xany.window = window_;
    e.xbutton.button = detail;
    e.xmotion.x_root = x;
    e.xmotion.y_root = y;
    return e;
  };
  for (bool input : {true, false}) {
    SCOPED_TRACE(input);
    auto control = Control({}, input);
    EventCounts counts;
    control->SetEvents(&counts);
    control->HandleEvent(event(KeyPress));
    control->HandleEvent(event(ButtonPress, 1));
    control->HandleEvent(event(ButtonPress, 3));
    control->HandleEvent(event(ButtonPress, 4));  // the wheel
    control->HandleEvent(event(ButtonPress, 5));
    // X reports only moves, so the first one counts; one in place is none.
    for (auto [x, y] : {std::pair{10, 10}, {10, 10}, {11, 10}})
      control->HandleEvent(event(MotionNotify, 0, x, y));
    XEvent elsewhere = event(KeyPress);
    elsewhere.xany.window = DefaultRootWindow(display_);
    control->HandleEvent(elsewhere);
    EXPECT_EQ(counts.keys, input ? 1 : 0);
    EXPECT_EQ(counts.buttons, input ? 2 : 0);
    EXPECT_EQ(counts.moves, input ? 2 : 0);
    control->RaiseFrame();  // not open yet
    EXPECT_EQ(counts.frames, 0);
    ASSERT_TRUE(control->InitDisplay(800, 600, 16, ""));
    control->RaiseFrame();
    EXPECT_EQ(counts.frames, 1);
  }
}

}  // namespace
}  // namespace skyvault
