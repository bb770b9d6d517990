#include "controls/linux/x_drawing_control.h"

#include "controls/linux/pixbuf_image_decoder.h"
#include "controls/linux/x_error_trap.h"

#include <cstdio>

namespace skyvault {
namespace {

// Buttons 4 to 7 are the wheel's turns, which end nothing (as on Windows).
bool IsWheel(unsigned int button) { return button >= 4 && button <= 7; }

}  // namespace

XWindowAttributes XDrawingControl::Attributes(Display* display, Window window) {
  XWindowAttributes attributes{};
  XErrorTrap trap(display);
  if (!XGetWindowAttributes(display, window, &attributes) || trap.Failed()) {
    attributes = XWindowAttributes{};
  }
  return attributes;
}

XDrawingControl::XDrawingControl(Display* display, Window window, Options options)
    : ForwardingDrawingControl(compositor_),  // bound now, used once built
      display_(display),
      window_(window),
      input_(options.input),
      attributes_(Attributes(display, window)),
      decoder_(options.decoder ? std::move(options.decoder)
                               : std::make_unique<PixbufImageDecoder>()),
      surface_(display, window, options.surface),
      host_(surface_, attributes_.depth, attributes_.width, attributes_.height),
      compositor_(*decoder_, text_, host_) {
  long mask = ExposureMask | StructureNotifyMask;
  if (input_) mask |= KeyPressMask | ButtonPressMask | PointerMotionMask;
  XSelectInput(display_, window_, mask);
}

XDrawingControl::~XDrawingControl() = default;

bool XDrawingControl::InitDisplay(int32_t width, int32_t height, int32_t depth,
                                  const std::string& options) {
  opened_ = {width, height, depth, options};
  asked_ = true;
  return Open();
}

bool XDrawingControl::Open() {
  open_ = compositor_.InitDisplay(opened_.width, opened_.height, opened_.depth, opened_.options);
  const CanvasView& canvas = compositor_.canvas();
  std::string said;
  char line[256];
  switch (compositor_.lastOpening()) {
    case Compositor::DisplayOpening::Opened:
      if (compositor_.scale().value() < host_.ScaleFor(opened_.width, opened_.height)) {
        std::snprintf(line, sizeof line,
                      "the window is %d x %d pixels, larger than a frame may be: the frame is "
                      "drawn at %d x %d and enlarged to fit",
                      host_.windowWidth(), host_.windowHeight(), canvas.width, canvas.height);
        said = line;
      }
      break;
    case Compositor::DisplayOpening::TooFewColours:
      std::snprintf(line, sizeof line,
                    attributes_.depth > 0 ? "the window 0x%lx has %d-bit colour; 16 bits or more "
                                            "are needed"
                                          : "the window 0x%lx cannot be drawn on%.0d",
                    window_, attributes_.depth);
      said = line;
      break;
    case Compositor::DisplayOpening::NoMemory:
      std::snprintf(line, sizeof line,
                    "no memory for a frame in a window of %d x %d pixels: it stays black until "
                    "its size changes",
                    host_.windowWidth(), host_.windowHeight());
      said = line;
      break;
    case Compositor::DisplayOpening::BadFrameSize:
      said = "the frame's size is out of range";
      break;
  }
  // Each new state of the display said once (a window resized again and
  // again to the same sizes does not fill the log).
  if (said != lastSaid_) {
    if (!said.empty()) std::fprintf(stderr, "skyvault: %s\n", said.c_str());
    lastSaid_ = said;
  }
  return open_;
}

void XDrawingControl::HandleEvent(const XEvent& event) {
  if (surface_.HandleEvent(event)) return;
  if (event.xany.window != window_) return;
  switch (event.type) {
    case Expose:
      host_.Exposed({event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
                     event.xexpose.y + event.xexpose.height});
      break;
    case ConfigureNotify:
      host_.Resize(event.xconfigure.width, event.xconfigure.height);
      break;
    case KeyPress:
      if (input_ && events_) events_->OnKey();
      break;
    case ButtonPress:
      if (input_ && events_ && !IsWheel(event.xbutton.button)) events_->OnMouseButton();
      break;
    case MotionNotify:
      if (input_ && pointer_.Moved(event.xmotion.x_root, event.xmotion.y_root) && events_) {
        events_->OnPointerMove();
      }
      break;
    default:
      break;
  }
}

void XDrawingControl::RaiseFrame() {
  // A window of a new size: the frame is composed again at its size (the
  // pictures are scaled again only when the scale changed). A size that
  // could not be had is tried again at the next one.
  if (asked_ && host_.NeedsNewCanvas()) Open();
  if (open_ && events_) events_->OnFrame();
}

}  // namespace skyvault
