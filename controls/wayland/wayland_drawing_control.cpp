#include "controls/wayland/wayland_drawing_control.h"

#include "controls/linux/pixbuf_image_decoder.h"

namespace skyvault {

WaylandDrawingControl::WaylandDrawingControl(const WaylandShell& shell,
                                             std::unique_ptr<ImageDecoder> decoder)
    : ForwardingDrawingControl(compositor_),  // bound now, used once built
      decoder_(decoder ? std::move(decoder) : std::make_unique<PixbufImageDecoder>()),
      host_(shell),
      compositor_(*decoder_, text_, host_) {}

WaylandDrawingControl::~WaylandDrawingControl() = default;

bool WaylandDrawingControl::InitDisplay(int32_t width, int32_t height, int32_t depth,
                                        const std::string& options) {
  open_ = compositor_.InitDisplay(width, height, depth, options);
  opened_ = {width, height, depth, options};
  return open_;
}

void WaylandDrawingControl::RaiseFrame() {
  if (open_ && host_.NeedsNewCanvas()) {
    open_ = compositor_.InitDisplay(opened_.width, opened_.height, opened_.depth, opened_.options);
  }
  if (open_ && events_) events_->OnFrame();
}

}  // namespace skyvault
