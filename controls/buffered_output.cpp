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

CanvasView BufferedOutput::InBuffer(const CanvasView& canvas, uint8_t* pixels, int stride) const {
  return {
      pixels + static_cast<size_t>(target_.top) * stride + static_cast<size_t>(target_.left) * 4,
      canvas.width, canvas.height, stride, 32};
}

void BufferedOutput::Fill(const CanvasView& canvas, uint8_t* pixels, int stride) const {
  for (int y = 0; y < height_; ++y) {
    std::memset(pixels + static_cast<size_t>(y) * stride, 0, static_cast<size_t>(width_) * 4);
  }
  if (!target_.Empty() && !scaler_)
    CopyArea(canvas, InBuffer(canvas, pixels, stride), canvas.Bounds());
}

std::vector<PixelRect> BufferedOutput::Refresh(int index, const CanvasView& canvas, uint8_t* pixels,
                                               int stride) {
  std::vector<PixelRect> damage;
  if (index < 0 || index >= static_cast<int>(buffers_.size()) || !pixels || !canvas.Valid()) {
    return damage;
  }
  if (canvas.width != canvasWidth_ || canvas.height != canvasHeight_) Layout(canvas);
  Buffer& buffer = buffers_[index];
  const CanvasView target = InBuffer(canvas, pixels, stride);
  // A buffer composed in holds the canvas already: nothing to copy.
  const bool holdsCanvas =
      !target_.Empty() && target.bits == canvas.bits && stride == canvas.stride;
  std::vector<PixelRect> parts = buffer.stale.Rectangles();
  if (buffer.fresh && !holdsCanvas) {
    Fill(canvas, pixels, stride);  // bars, and the canvas unless it is reduced
    parts.assign(scaler_ ? 1 : 0, canvas.Bounds());
  }
  if (!target_.Empty()) {
    for (const PixelRect& part : parts) {
      PixelRect out = part;
      if (scaler_) {
        out = scaler_->Scale(canvas, part, target.bits, stride);
      } else if (!holdsCanvas) {
        CopyArea(canvas, target, part);
      }
      if (!out.Empty()) {
        damage.push_back({out.left + target_.left, out.top + target_.top, out.right + target_.left,
                          out.bottom + target_.top});
      }
    }
  }
  if (buffer.fresh || buffer.wholeDamage) damage.assign(1, {0, 0, width_, height_});
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
  const CanvasView inBuffer = InBuffer(canvas, pixels, stride);
  if (inBuffer.bits == canvas.bits) return inBuffer;
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
    for (const PixelRect& part : missed.Rectangles()) CopyArea(canvas, inBuffer, part);
  }
  return inBuffer;
}

}  // namespace skyvault
