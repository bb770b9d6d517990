#include "controls/wayland/wayland_canvas_host.h"

#include <algorithm>

#include "controls/frame_geometry.h"
#include "controls/monitor_layout.h"

namespace skyvault {

int WaylandCanvasHost::WidestLetterbox(int width, int height) const {
  int widest = 0;
  for (const auto& output : outputs_) {
    if (!output->configured() || output->closed()) continue;
    const PixelRect box =
        Letterbox(width, height, {0, 0, output->physicalWidth(), output->physicalHeight()});
    widest = std::max(widest, box.Width());
  }
  return widest;
}

double WaylandCanvasHost::ScaleFor(int logicalWidth, int logicalHeight) {
  const int widest = WidestLetterbox(logicalWidth, logicalHeight);
  return widest <= 0 || logicalWidth <= 0 ? 1.0 : static_cast<double>(widest) / logicalWidth;
}

std::optional<CanvasView> WaylandCanvasHost::CreateCanvas(int width, int height) {
  if (width <= 0 || height <= 0) return std::nullopt;
  for (const auto& output : outputs_) output->ForgetCanvas();
  canvasBuffer_.reset();
  canvas_.assign(static_cast<size_t>(width) * height * 4, 0);
  canvasWidth_ = width;
  canvasHeight_ = height;
  return CanvasView{canvas_.data(), width, height, width * 4, 32};
}

void WaylandCanvasHost::PrepareToDraw(CanvasView& canvas, const PixelRegion& redraw) {
  for (const auto& output : outputs_) {
    std::shared_ptr<ShmBuffer> holder;
    if (std::optional<CanvasView> inBuffer = output->CanvasFor(canvas, redraw, holder)) {
      canvas = *inBuffer;
      canvasBuffer_ = std::move(holder);
      return;
    }
  }
  if (canvas.bits == canvas_.data() || canvas.width != canvasWidth_ ||
      canvas.height != canvasHeight_) {
    return;
  }
  // No buffer free: the last frame back into memory of the host's own.
  const CanvasView own{canvas_.data(), canvas.width, canvas.height, canvas.width * 4, 32};
  CopyArea(canvas, own, canvas.Bounds());
  canvas = own;
  canvasBuffer_.reset();
}

void WaylandCanvasHost::Present(const CanvasView& canvas, const PixelRegion& written) {
  for (const auto& output : outputs_) output->Show(canvas, written);
}

void WaylandCanvasHost::AddOutput(wl_output* output, uint32_t name) {
  outputs_.push_back(std::make_unique<OutputSurface>(shell_, output, name));
}

void WaylandCanvasHost::RemoveOutput(uint32_t name) {
  std::erase_if(outputs_, [name](const auto& output) { return output->name() == name; });
}

bool WaylandCanvasHost::DropClosed() {
  return std::erase_if(outputs_, [](const auto& output) { return output->closed(); }) > 0;
}

bool WaylandCanvasHost::AllConfigured() const {
  return std::all_of(outputs_.begin(), outputs_.end(),
                     [](const auto& output) { return output->configured() || output->closed(); });
}

bool WaylandCanvasHost::FrameHeldBack() const {
  return std::any_of(outputs_.begin(), outputs_.end(),
                     [](const auto& output) { return output->FrameHeldBack(); });
}

bool WaylandCanvasHost::NeedsNewCanvas() const {
  if (canvasWidth_ <= 0) return false;
  // As the display opens it: the scale of the widest 800 x 600 letterbox.
  const int widest = WidestLetterbox(kLogicalWidth, kLogicalHeight);
  if (widest <= 0) return false;
  return FrameScale(static_cast<double>(widest) / kLogicalWidth).canvasWidth() != canvasWidth_;
}

}  // namespace skyvault
