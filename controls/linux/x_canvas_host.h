#pragma once
#include <optional>
#include <vector>

#include "controls/canvas_host.h"
#include "controls/canvas_scaler.h"
#include "controls/frame_diff.h"
#include "controls/linux/x_image_surface.h"

namespace skyvault {

// The compositor's host on an X window: the canvas in ordinary memory, and
// each finished frame scaled (aspect kept, black bars around) into the
// window's image and sent. Only what changed is scaled and sent: the tiles
// the compositor redrew are compared with the frame before (FrameDiff) and
// the few rectangles around the changed pixels go out. The first frame, and
// the first after the window's size changed, send everything.
class XCanvasHost : public CanvasHost {
 public:
  XCanvasHost(XImageSurface& surface, int visualDepth, int windowWidth, int windowHeight);

  bool DisplaySupports(int depth) override;
  std::optional<CanvasView> CreateCanvas(int width, int height, int depth) override;
  void Present(const CanvasView& canvas, const TileMask& written) override;

  // The window's new size (ConfigureNotify): laid out again at the next frame.
  void Resize(int width, int height);
  // The window lost these pixels (Expose): sent again from the image.
  void Exposed(const PixelRect& area);

  // Where the canvas shows in the window; empty before the first frame.
  PixelRect target() const { return scaler_ ? scaler_->target() : PixelRect{}; }
  // Pixels sent with the last frame, and frames that sent something.
  int64_t lastSentPixels() const { return lastSentPixels_; }
  int sentFrames() const { return sentFrames_; }

 private:
  void Layout(const CanvasView& canvas);

  XImageSurface& surface_;
  int visualDepth_;
  int windowWidth_;
  int windowHeight_;
  bool layoutValid_ = false;
  bool sendAll_ = false;
  bool shown_ = false;
  std::vector<uint8_t> canvasMemory_;
  std::optional<CanvasScaler> scaler_;
  int canvasWidth_ = 0;
  int canvasHeight_ = 0;
  FrameDiff diff_;
  int64_t lastSentPixels_ = 0;
  int sentFrames_ = 0;
};

}  // namespace skyvault
