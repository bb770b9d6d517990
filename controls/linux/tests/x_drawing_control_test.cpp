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

// Counts the drawing control's events; a frame draws what `frame` says.
struct EventCounts : DrawingEvents {
  void OnFrame() override { ++frames, frame ? frame() : void(); }
  void OnPointerMove() override { ++moves; }
  void OnMouseButton() override { ++buttons; }
  void OnKey() override { ++keys; }
  int frames = 0, moves = 0, buttons = 0, keys = 0;
  std::function<void()> frame;
};

class XDrawingControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(server_.display.empty()) << "Xvfb did not start";
    ASSERT_NE(display_ = XOpenDisplay(server_.display.c_str()), nullptr);
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
  // The window's pixels at (x, y) are these colours (0xRRGGBB), read back from the server.
  void ExpectPixels(std::initializer_list<std::tuple<int, int, uint32_t>> pixels) {
    XSync(display_, False);
    for (auto [x, y, colour] : pixels) {
      XImage* image = XGetImage(display_, window_, x, y, 1, 1, AllPlanes, ZPixmap);
      EXPECT_EQ(image ? XGetPixel(image, 0, 0) & 0xFFFFFF : 0xDEADBEEF, colour) << x << "," << y;
      if (image) XDestroyImage(image);
    }
  }
  // Hands the control what the server sent since the last call.
  void Deliver(XDrawingControl& control) {
    XSync(display_, False);
    for (XEvent event; XPending(display_) > 0;) {
      XNextEvent(display_, &event);
      control.HandleEvent(event);
    }
  }

  XvfbServer server_;
  Display* display_ = nullptr;
  Window window_ = 0;
};

TEST_F(XDrawingControlTest, FramesReachTheWindowLetterboxedWithEitherWayOfSending) {
  // Shared memory; its attach refused; plain.
  for (auto [options, shared] : {std::pair{XImageSurface::Options{true, false}, true},
                                 {{true, true}, false},
                                 {{false, false}, false}}) {
    SCOPED_TRACE(std::to_string(options.sharedMemory) + std::to_string(options.refuseAttach));
    auto control = Control(options);
    ASSERT_TRUE(control->InitDisplay(800, 600, 16, ""));
    control->ClearFrame(kRed);
    control->ShowFrame();
    EXPECT_EQ(control->surface().sharedMemory(), shared);
    // 800 x 600 in 400 x 200: the letterbox (its sums are the layout's test), black bars beside.
    const PixelRect target = control->host().target();
    ExpectPixels(
        {{target.left + 1, 1, 0xFF0000}, {target.left - 2, 100, 0}, {target.right + 1, 199, 0}});

    // A picture on part of the frame: only about its part is sent.
    const int32_t sprite = control->CreateSprite();
    control->LoadSpriteBitmap(sprite, 1, "block", -2);
    control->SetSpriteX(sprite, 300);
    control->SetSpriteY(sprite, 300);
    for (int frame = 0; frame < 2; ++frame) {  // the second changes nothing: nothing sent
      control->ClearFrame(kRed);
      control->DrawSprite(sprite);
      control->ShowFrame();
      const int sent = control->host().lastSentPixels();
      EXPECT_TRUE(frame ? sent == 0 : sent > 0 && sent < 20 * 15 * 4) << sent;
    }
    const int x = target.left + 320 * target.Width() / 800, y = 320 * 200 / 600;
    ExpectPixels({{x, y, 0x00FF00}, {x - 20, y, 0xFF0000}});
    control.reset();
    Deliver(*Control(options));  // no completion left behind for the next
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
  EXPECT_EQ(std::tuple(control->canvas().width, control->canvas().height,
                       control->host().lastSentPixels()),
            std::tuple(200, 150, 200 * 300));
  ExpectPixels({{100, 150, 0x0000FF}, {100, 10, 0}, {199, 290, 0}});

  // The server forgets the window's pixels: Expose brings them back without a frame.
  XUnmapWindow(display_, window_);
  XMapWindow(display_, window_);
  Deliver(*control);
  ExpectPixels({{100, 150, 0x0000FF}, {100, 10, 0}});
}

// Keys, clicks and the first pointer move ending the saver, and none of them in a window handed
// to it, are the saver's process tests; the wheel and other windows' events are no input.
TEST_F(XDrawingControlTest, TurnsOfTheWheelAndOtherWindowsEventsAreNoInput) {
  auto control = Control({}, true);
  EventCounts counts;
  control->SetEvents(&counts);
  XEvent event{};
  event.xany.type = ButtonPress;
  event.xany.window = window_;
  for (unsigned button : {4, 5, 3}) {
    event.xbutton.button = button;
    control->HandleEvent(event);
  }
  event.xany.window = DefaultRootWindow(display_);  // the right button again, elsewhere
  control->HandleEvent(event);
  control->RaiseFrame();  // not open yet: no frame
  ASSERT_TRUE(control->InitDisplay(800, 600, 16, ""));
  control->RaiseFrame();
  EXPECT_EQ(std::tuple(counts.keys, counts.buttons, counts.moves, counts.frames),
            std::tuple(0, 1, 0, 1));
}

}  // namespace
}  // namespace skyvault
