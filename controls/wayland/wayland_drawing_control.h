#pragma once
#include <memory>
#include <string>

#include "controls/compositor.h"
#include "controls/forwarding_drawing_control.h"
#include "controls/linux/freetype_text_renderer.h"
#include "controls/wayland/wayland_canvas_host.h"

namespace skyvault {

// The drawing control on Wayland: the portable compositor with the Linux
// side's pictures (gdk-pixbuf unless a decoder is given) and FreeType text,
// its frames shown on every output by WaylandCanvasHost. The owner calls
// RaiseFrame at the frame rate.
class WaylandDrawingControl : public ForwardingDrawingControl {
 public:
  WaylandDrawingControl(const WaylandShell& shell, std::unique_ptr<ImageDecoder> decoder);
  ~WaylandDrawingControl() override;

  void SetEvents(DrawingEvents* events) { events_ = events; }
  bool InitDisplay(int32_t width, int32_t height, int32_t depth,
                   const std::string& options) override;
  // One frame event, once the display is open: the frame is composed anew
  // first when the widest output changed.
  void RaiseFrame();

  void ShowRedraws(bool on) { compositor_.ShowRedraws(on); }
  WaylandCanvasHost& host() { return host_; }

 private:
  std::unique_ptr<ImageDecoder> decoder_;
  FreeTypeTextRenderer text_;
  WaylandCanvasHost host_;
  Compositor compositor_;
  DrawingEvents* events_ = nullptr;
  bool open_ = false;
  struct DisplayArguments {
    int32_t width = 0;
    int32_t height = 0;
    int32_t depth = 0;
    std::string options;
  } opened_;  // as InitDisplay was last called
};

}  // namespace skyvault
