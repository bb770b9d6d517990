#pragma once
#include <optional>
#include <vector>

#include "controls/canvas_host.h"
#include "controls/filtered_canvas_scaler.h"
#include "controls/linux/x_image_surface.h"

namespace skyvault {

// The compositor's host on an X window. The frame is composed at the size
// of its letterbox in the window (aspect kept, black bars around), straight
// into the window's image: the canvas is that part of the image, so a
// finished frame needs no copy before it is sent. Only what changed is sent:
// the few rectangles the compositor redrew, one XShmPutImage each. The first
// frame sends everything.
//
// A window that changes size after the canvas was made (ConfigureNotify)
// no longer matches it: the canvas then stays in memory of its own and is
// scaled, filtered, into the new letterbox, until the owner opens the
// display again at the new size (NeedsNewCanvas). So is a canvas asked for
// at another size than the letterbox (a window larger than a canvas may
// be): it is enlarged into it. No memory for the window's image is no
// canvas.
class XCanvasHost : public CanvasHost {
 public:
  XCanvasHost(XImageSurface& surface, int visualDepth, int windowWidth, int windowHeight);

  bool DisplaySupports(int depth) override;
  double ScaleFor(int logicalWidth, int logicalHeight) override;
  std::optional<CanvasView> CreateCanvas(int width, int height) override;
  void PrepareToDraw(CanvasView& canvas, const PixelRegion& redraw) override;
  void Present(const CanvasView& canvas, const PixelRegion& written) override;

  // The window's new size (ConfigureNotify).
  void Resize(int width, int height);
  // Whether the window's size has changed since the canvas was made.
  bool NeedsNewCanvas() const { return resized_; }
  // The window lost these pixels (Expose): sent again from the image.
  void Exposed(const PixelRect& area);

  // Where the frame shows in the window; empty before the first frame.
  PixelRect target() const { return target_; }
  int windowWidth() const { return windowWidth_; }
  int windowHeight() const { return windowHeight_; }
  // Pixels sent with the last frame.
  int64_t lastSentPixels() const { return lastSentPixels_; }

 private:
  PixelRect LetterboxFor(int canvasWidth, int canvasHeight) const;
  void Layout(const CanvasView& canvas);

  XImageSurface& surface_;
  int visualDepth_;
  int windowWidth_;
  int windowHeight_;
  bool resized_ = false;      // the window no longer has the canvas's size
  bool layoutValid_ = false;  // the image and the target follow the window
  bool sendAll_ = false;
  bool shown_ = false;
  std::vector<uint8_t> ownCanvas_;  // the canvas, when it is not in the image
  const uint8_t* canvasBits_ = nullptr;
  PixelRect target_;
  std::optional<FilteredCanvasScaler> scaler_;  // only when the canvas is not in the image
  int64_t lastSentPixels_ = 0;
};

}  // namespace skyvault
