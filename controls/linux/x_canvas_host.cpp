#include "controls/linux/x_canvas_host.h"

#include <algorithm>

namespace skyvault {

XCanvasHost::XCanvasHost(XImageSurface& surface, int visualDepth, int windowWidth, int windowHeight)
    : surface_(surface),
      visualDepth_(visualDepth),
      windowWidth_(windowWidth),
      windowHeight_(windowHeight) {}

bool XCanvasHost::DisplaySupports(int depth) { return visualDepth_ >= std::min(depth, 24); }

std::optional<CanvasView> XCanvasHost::CreateCanvas(int width, int height, int depth) {
  const int bytes = depth == 16 ? 2 : 4;
  canvasMemory_.assign(static_cast<size_t>(width) * height * bytes, 0);
  layoutValid_ = false;
  return CanvasView{canvasMemory_.data(), width, height, width * bytes, bytes * 8};
}

void XCanvasHost::Resize(int width, int height) {
  if (width == windowWidth_ && height == windowHeight_) return;
  windowWidth_ = width;
  windowHeight_ = height;
  layoutValid_ = false;
}

void XCanvasHost::Exposed(const PixelRect& area) {
  if (shown_ && layoutValid_) surface_.Send({area});
}

void XCanvasHost::Layout(const CanvasView& canvas) {
  surface_.Resize(windowWidth_, windowHeight_);
  const PixelRect window{0, 0, surface_.width(), surface_.height()};
  scaler_.reset();
  if (!window.Empty()) {
    scaler_.emplace(canvas.width, canvas.height, Letterbox(canvas.width, canvas.height, window));
  }
  canvasWidth_ = canvas.width;
  canvasHeight_ = canvas.height;
  diff_.Forget();
  sendAll_ = true;
  layoutValid_ = true;
}

void XCanvasHost::Present(const CanvasView& canvas, const TileMask& written) {
  if (!layoutValid_ || canvas.width != canvasWidth_ || canvas.height != canvasHeight_) {
    Layout(canvas);
  }
  lastSentPixels_ = 0;
  if (!scaler_ || !surface_.pixels()) return;
  const TileMask& changed = diff_.Update(canvas, written);
  if (!changed.Any() && !sendAll_) return;

  surface_.WaitUntilIdle();  // the server has read the last frame's pixels
  std::vector<PixelRect> sent;
  if (sendAll_ || changed.Count() == changed.columns() * changed.rows()) {
    scaler_->Scale(canvas, canvas.Bounds(), surface_.pixels(), surface_.stride());
    // Also the bars, the first time.
    sent.push_back(sendAll_ ? PixelRect{0, 0, surface_.width(), surface_.height()}
                            : scaler_->target());
  } else {
    for (const PixelRect& part : diff_.Parts()) {
      const PixelRect out = scaler_->Scale(canvas, part, surface_.pixels(), surface_.stride());
      if (!out.Empty()) sent.push_back(out);
    }
  }
  for (const PixelRect& r : sent) lastSentPixels_ += static_cast<int64_t>(r.Width()) * r.Height();
  surface_.Send(sent);
  sendAll_ = false;
  shown_ = true;
  ++sentFrames_;
}

}  // namespace skyvault
