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

uint8_t* BufferedOutput::OriginIn(uint8_t* pixels, int stride) const {
  return pixels + static_cast<size_t>(target_.top) * stride + static_cast<size_t>(target_.left) * 4;
}

void BufferedOutput::Fill(const CanvasView& canvas, uint8_t* pixels, int stride) const {
  for (int y = 0; y < height_; ++y) {
    std::memset(pixels + static_cast<size_t>(y) * stride, 0, static_cast<size_t>(width_) * 4);
  }
  if (!target_.Empty() && !scaler_) {
    Copy(canvas, canvas.Bounds(), OriginIn(pixels, stride), stride);
  }
}

void BufferedOutput::Copy(const CanvasView& canvas, const PixelRect& part, uint8_t* origin,
                          int stride) const {
  for (int y = part.top; y < part.bottom; ++y) {
    std::memcpy(origin + static_cast<size_t>(y) * stride + static_cast<size_t>(part.left) * 4,
                canvas.Row(y) + static_cast<size_t>(part.left) * 4,
                static_cast<size_t>(part.Width()) * 4);
  }
}

std::vector<PixelRect> BufferedOutput::Refresh(int index, const CanvasView& canvas, uint8_t* pixels,
                                               int stride) {
  std::vector<PixelRect> damage;
  if (index < 0 || index >= static_cast<int>(buffers_.size()) || !pixels || !canvas.Valid()) {
    return damage;
  }
  if (canvas.width != canvasWidth_ || canvas.height != canvasHeight_) Layout(canvas);
  Buffer& buffer = buffers_[index];
  const PixelRect whole{0, 0, width_, height_};
  uint8_t* origin = OriginIn(pixels, stride);
  const bool holdsCanvas = !target_.Empty() && origin == canvas.bits && stride == canvas.stride;
  if (holdsCanvas && buffer.fresh) {  // drawn in: nothing to fill, all to show
    buffer.fresh = false;
    buffer.wholeDamage = true;
  }
  if (buffer.fresh) {
    if (scaler_) {
      for (int y = 0; y < height_; ++y) {
        std::memset(pixels + static_cast<size_t>(y) * stride, 0, static_cast<size_t>(width_) * 4);
      }
    } else {
      Fill(canvas, pixels, stride);
    }
  }
  if (!target_.Empty()) {
    std::vector<PixelRect> parts;
    if (buffer.fresh && scaler_) {
      parts.push_back(canvas.Bounds());
    } else if (!buffer.fresh) {
      parts = buffer.stale.Rectangles();
    }
    for (const PixelRect& part : parts) {
      PixelRect out = part;
      if (scaler_) {
        out = scaler_->Scale(canvas, part, origin, stride);
      } else if (!holdsCanvas) {
        Copy(canvas, part, origin, stride);
      }
      if (!out.Empty()) {
        damage.push_back({out.left + target_.left, out.top + target_.top, out.right + target_.left,
                          out.bottom + target_.top});
      }
    }
  }
  if (buffer.fresh || buffer.wholeDamage) damage.assign(1, whole);
  buffer.fresh = false;
  buffer.wholeDamage = false;
  buffer.stale.Clear();
  behind_ = false;
  return damage;
}

std::optional<CanvasView> BufferedOutput::DrawIn(int index, const CanvasView& canvas,
                                                 uint8_t* pixels, int stride,
                                                 const PixelRegion& redraw) {
  if (index < 0 || index >= static_cast<int>(buffers_.size()) || !pixels || !canvas.Valid() ||
      canvas.depth != 32) {
    return std::nullopt;
  }
  if (canvas.width != canvasWidth_ || canvas.height != canvasHeight_) Layout(canvas);
  if (target_.Empty() || scaler_) return std::nullopt;
  uint8_t* origin = OriginIn(pixels, stride);
  const CanvasView inBuffer{origin, canvas.width, canvas.height, stride, 32};
  if (origin == canvas.bits) return inBuffer;
  Buffer& buffer = buffers_[index];
  if (buffer.fresh) {
    Fill(canvas, pixels, stride);
    buffer.fresh = false;
    buffer.wholeDamage = true;
    buffer.stale.Clear();
  } else {
    // What it missed, but for what is drawn anew; what it missed stays its
    // damage when it is shown.
    PixelRegion missed = buffer.stale;
    missed.Remove(redraw);
    for (const PixelRect& part : missed.Rectangles()) Copy(canvas, part, origin, stride);
  }
  return inBuffer;
}

}  // namespace skyvault
