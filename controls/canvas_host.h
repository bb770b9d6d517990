#pragma once
#include <optional>

#include "controls/canvas.h"
#include "controls/tile_mask.h"

namespace skyvault {

// What the compositor needs from the platform: the display's abilities,
// memory for the canvas, and a way to put a finished frame on the screen.
class CanvasHost {
 public:
  virtual ~CanvasHost() = default;
  // Whether the display can show pictures of this many bits per pixel.
  virtual bool DisplaySupports(int depth) = 0;
  // Memory for a canvas; nothing when it cannot be had. The memory stays
  // valid until the next call or the host's end.
  virtual std::optional<CanvasView> CreateCanvas(int width, int height, int depth) = 0;
  // Shows the canvas. `written` marks the tiles drawn since the previous
  // frame; every other tile is as it was then.
  virtual void Present(const CanvasView& canvas, const TileMask& written) = 0;
};

}  // namespace skyvault
