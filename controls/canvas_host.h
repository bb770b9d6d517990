#pragma once
#include <optional>

#include "controls/canvas.h"
#include "controls/pixel_region.h"

namespace skyvault {

// What the compositor needs from the platform: the display's abilities and
// size, memory for the canvas, and a way to put a finished frame on the
// screen.
class CanvasHost {
 public:
  virtual ~CanvasHost() = default;
  // Whether the display can show pictures of this many bits per pixel.
  virtual bool DisplaySupports(int depth) = 0;
  // How many canvas pixels each pixel of a logicalWidth x logicalHeight
  // frame becomes: the widest letterbox of such a frame over the monitors,
  // divided by logicalWidth. The frame is composed at that size.
  virtual double ScaleFor(int logicalWidth, int logicalHeight) = 0;
  // Memory for a 32-bit canvas (0x00RRGGBB); nothing when it cannot be had.
  // The memory stays valid until the next call or the host's end.
  virtual std::optional<CanvasView> CreateCanvas(int width, int height) = 0;
  // The compositor is about to draw `redraw` on the canvas. A host whose
  // canvas is read by someone else, as a display server reading shared
  // memory, waits here until it is free; or hands other memory of the same
  // size (its stride may differ) that holds the same pixels outside
  // `redraw`, valid until the next call or the next CreateCanvas.
  virtual void PrepareToDraw(CanvasView& /*canvas*/, const PixelRegion& /*redraw*/) {}
  // Shows the canvas. `written` holds the pixels drawn since the previous
  // frame, in few rectangles; every other pixel is as it was then.
  virtual void Present(const CanvasView& canvas, const PixelRegion& written) = 0;
};

}  // namespace skyvault
