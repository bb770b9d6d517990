#include "controls/buffered_output.h"

#include <cstring>

#include "controls/monitor_layout.h"

namespace skyvault {

BufferedOutput::BufferedOutput(int bufferWidth, int bufferHeight, int bufferCount)
    : width_(bufferWidth), height_(bufferHeight), buffers_(bufferCount > 0 ? bufferCount : 1) {}

void BufferedOutput::Layout(const CanvasView& canvas) {
  canvasWidth_ = canvas.width;
  canvasHeight_ = canvas.height;
  target_ = Letterbox(canvas.width, canvas.height, {0, 0, width_, height_});
  scaler_.reset();
  if (!target_.Empty() && (target_.Width() != canvas.width || target_.Height() != canvas.height)) {
    scaler_.emplace(canvas.width, canvas.height,
                    PixelRect{0, 0, target_.Width(), target_.Height()});
  }
  for (Buffer& buffer : buffers_) {
    buffer.fresh = true;
    buffer.stale.Clear();
  }
  behind_ = true;
}

void BufferedOutput::NoteWritten(const CanvasView& canvas, const PixelRegion& written) {
  if (canvas.width != canvasWidth_ || canvas.height != canvasHeight_) Layout(canvas);
  if (written.Empty()) return;
  for (Buffer& buffer : buffers_) {
    buffer.stale.Add(written);
    buffer.stale.Clip(canvas.Bounds());
    buffer.stale.Simplify(kMaxStaleRectangles);
  }
  behind_ = true;
}

std::vector<PixelRect> BufferedOutput::Refresh(int index, const CanvasView& canvas, uint8_t* pixels,
                                               int stride) {
  std::vector<PixelRect> damage;
  if (index < 0 || index >= static_cast<int>(buffers_.size()) || !pixels || !canvas.Valid()) {
    return damage;
  }
  if (canvas.width != canvasWidth_ || canvas.height != canvasHeight_) Layout(canvas);
  Buffer& buffer = buffers_[index];
  std::vector<PixelRect> parts;
  if (buffer.fresh) {
    for (int y = 0; y < height_; ++y) {
      std::memset(pixels + static_cast<size_t>(y) * stride, 0, static_cast<size_t>(width_) * 4);
    }
    parts.push_back(canvas.Bounds());
    damage.push_back({0, 0, width_, height_});
  } else {
    parts = buffer.stale.Rectangles();
  }
  if (!target_.Empty()) {
    uint8_t* origin =
        pixels + static_cast<size_t>(target_.top) * stride + static_cast<size_t>(target_.left) * 4;
    for (const PixelRect& part : parts) {
      PixelRect out = part;
      if (scaler_) {
        out = scaler_->Scale(canvas, part, origin, stride);
      } else {
        for (int y = part.top; y < part.bottom; ++y) {
          std::memcpy(origin + static_cast<size_t>(y) * stride + static_cast<size_t>(part.left) * 4,
                      canvas.Row(y) + static_cast<size_t>(part.left) * 4,
                      static_cast<size_t>(part.Width()) * 4);
        }
      }
      if (!out.Empty() && !buffer.fresh) {
        damage.push_back({out.left + target_.left, out.top + target_.top, out.right + target_.left,
                          out.bottom + target_.top});
      }
    }
  }
  buffer.fresh = false;
  buffer.stale.Clear();
  behind_ = false;
  return damage;
}

}  // namespace skyvault
