#include "controls/linux/x_canvas_host.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "controls/monitor_layout.h"

namespace skyvault {

XCanvasHost::XCanvasHost(XImageSurface& surface, int visualDepth, int windowWidth, int windowHeight)
    : surface_(surface),
      visualDepth_(visualDepth),
      windowWidth_(windowWidth),
      windowHeight_(windowHeight) {}

bool XCanvasHost::DisplaySupports(int depth) { return visualDepth_ >= std::min(depth, 24); }

double XCanvasHost::ScaleFor(int logicalWidth, int logicalHeight) {
  const PixelRect box = Letterbox(logicalWidth, logicalHeight, {0, 0, windowWidth_, windowHeight_});
  return box.Empty() || logicalWidth <= 0 ? 1.0 : static_cast<double>(box.Width()) / logicalWidth;
}

PixelRect XCanvasHost::LetterboxFor(int canvasWidth, int canvasHeight) const {
  return Letterbox(canvasWidth, canvasHeight, {0, 0, surface_.width(), surface_.height()});
}

std::optional<CanvasView> XCanvasHost::CreateCanvas(int width, int height) {
  surface_.WaitUntilIdle();
  resized_ = false;
  layoutValid_ = false;
  ownCanvas_.clear();
  ownCanvas_.shrink_to_fit();
  canvasBits_ = nullptr;
  // No image for the window is no frame; a later size is tried again.
  if (!surface_.Resize(windowWidth_, windowHeight_)) return std::nullopt;
  const PixelRect box = LetterboxFor(width, height);
  if (std::abs(box.Width() - width) <= 1 && std::abs(box.Height() - height) <= 1 &&
      width <= surface_.width() && height <= surface_.height()) {
    // The frame is composed where it shows: centred in the window.
    target_ = {(surface_.width() - width) / 2, (surface_.height() - height) / 2, 0, 0};
    target_.right = target_.left + width;
    target_.bottom = target_.top + height;
    uint8_t* bits = surface_.pixels() + static_cast<size_t>(target_.top) * surface_.stride() +
                    static_cast<size_t>(target_.left) * 4;
    canvasBits_ = bits;
    return CanvasView{bits, width, height, surface_.stride(), 32};
  }
  // A canvas of another size than the letterbox (the window is larger than
  // a canvas may be): in memory of its own, scaled into the image.
  try {
    ownCanvas_.assign(static_cast<size_t>(width) * height * 4, 0);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  canvasBits_ = ownCanvas_.data();
  return CanvasView{ownCanvas_.data(), width, height, width * 4, 32};
}

void XCanvasHost::PrepareToDraw(CanvasView&, const PixelRegion&) {
  // The server may still be reading the last frame out of the image.
  surface_.WaitUntilIdle();
}

void XCanvasHost::Resize(int width, int height) {
  if (width == windowWidth_ && height == windowHeight_) return;
  windowWidth_ = width;
  windowHeight_ = height;
  resized_ = true;
  layoutValid_ = false;
}

void XCanvasHost::Exposed(const PixelRect& area) {
  if (shown_ && layoutValid_) surface_.Send({area});
}

void XCanvasHost::Layout(const CanvasView& canvas) {
  if (canvas.bits != canvasBits_) return;  // not a canvas of this host
  if (ownCanvas_.empty()) {
    // The canvas lies in the image, where it shows (target_ is set).
    scaler_.reset();
  } else {
    // The canvas in memory of its own, scaled into the window's image.
    if (surface_.width() != windowWidth_ || surface_.height() != windowHeight_) {
      surface_.WaitUntilIdle();
      surface_.Resize(windowWidth_, windowHeight_);
    }
    target_ = LetterboxFor(canvas.width, canvas.height);
    scaler_.reset();
    if (!target_.Empty()) {
      scaler_.emplace(canvas.width, canvas.height,
                      PixelRect{0, 0, target_.Width(), target_.Height()});
    }
  }
  sendAll_ = true;
  layoutValid_ = true;
}

void XCanvasHost::Present(const CanvasView& canvas, const PixelRegion& written) {
  if (!layoutValid_) Layout(canvas);
  lastSentPixels_ = 0;
  if (!layoutValid_ || !surface_.pixels() || target_.Empty()) return;
  if (written.Empty() && !sendAll_) return;

  surface_.WaitUntilIdle();  // the server has read the last frame's pixels
  const std::vector<PixelRect> parts =
      sendAll_ ? std::vector<PixelRect>{canvas.Bounds()} : written.Rectangles();
  std::vector<PixelRect> sent;
  uint8_t* targetBits = surface_.pixels() + static_cast<size_t>(target_.top) * surface_.stride() +
                        static_cast<size_t>(target_.left) * 4;
  for (const PixelRect& part : parts) {
    PixelRect out = part;
    if (scaler_) out = scaler_->Scale(canvas, part, targetBits, surface_.stride());
    if (out.Empty()) continue;
    sent.push_back({out.left + target_.left, out.top + target_.top, out.right + target_.left,
                    out.bottom + target_.top});
  }
  // The bars too, the first time.
  if (sendAll_) sent = {PixelRect{0, 0, surface_.width(), surface_.height()}};
  for (const PixelRect& r : sent) lastSentPixels_ += static_cast<int64_t>(r.Width()) * r.Height();
  surface_.Send(sent);
  sendAll_ = false;
  shown_ = true;
}

}  // namespace skyvault
