#pragma once
#include <X11/Xlib.h>

#include <memory>

#include "controls/compositor.h"
#include "controls/forwarding_drawing_control.h"
#include "controls/frame_schedule.h"
#include "controls/linux/freetype_text_renderer.h"
#include "controls/linux/x_canvas_host.h"
#include "controls/linux/x_image_surface.h"

namespace skyvault {

// The drawing control on an X window: the portable compositor with
// gdk-pixbuf pictures and FreeType text, its frames put on the window by
// XCanvasHost. The window's owner passes the connection's events on through
// HandleEvent and calls RaiseFrame at the frame rate; events go to the
// DrawingEvents set with SetEvents.
//
// The window's size is followed (ConfigureNotify: from the next frame on,
// the frame is composed anew at its size), lost pixels are sent again
// (Expose). Input (keys, buttons, pointer moves) is listened to only
// on a window of the saver's own: a window it was handed belongs to
// someone else, who takes the input.
//
// A window larger than a canvas may be gets the largest frame, enlarged
// into it. A size whose frame cannot be had (no memory) leaves the window
// black until its next size, which is tried again. What happened is said
// on stderr, once for each change.
class XDrawingControl : public ForwardingDrawingControl {
 public:
  struct Options {
    bool input = false;
    XImageSurface::Options surface;
    // The picture decoder; gdk-pixbuf when none is given.
    std::unique_ptr<ImageDecoder> decoder;
  };

  XDrawingControl(Display* display, Window window, Options options);
  ~XDrawingControl() override;

  void SetEvents(DrawingEvents* events) { events_ = events; }

  bool InitDisplay(int32_t width, int32_t height, int32_t depth,
                   const std::string& options) override;

  // One event of the connection. Keys and button presses (not the wheel)
  // raise their events; a pointer move raises one unless it is the first
  // or at the same place as the one before.
  void HandleEvent(const XEvent& event);
  // One frame event, once the display is open.
  void RaiseFrame();

  void ShowRedraws(bool on) { compositor_.ShowRedraws(on); }
  const CanvasView& canvas() const { return compositor_.canvas(); }
  const XCanvasHost& host() const { return host_; }
  const XImageSurface& surface() const { return surface_; }

 private:
  static XWindowAttributes Attributes(Display* display, Window window);
  // Opens the display as InitDisplay was last asked, at the window's size.
  bool Open();

  Display* display_;
  Window window_;
  bool input_;
  XWindowAttributes attributes_;
  std::unique_ptr<ImageDecoder> decoder_;
  FreeTypeTextRenderer text_;
  XImageSurface surface_;
  XCanvasHost host_;
  Compositor compositor_;
  DrawingEvents* events_ = nullptr;
  bool open_ = false;
  bool asked_ = false;    // InitDisplay has been called
  std::string lastSaid_;  // on stderr, about the display's state
  struct DisplayArguments {
    int32_t width = 0;
    int32_t height = 0;
    int32_t depth = 0;
    std::string options;
  } opened_;  // as InitDisplay was last called
  PointerMoveFilter pointer_{PointerMoveFilter::FirstReport::Moves};  // X reports only moves
};

}  // namespace skyvault
