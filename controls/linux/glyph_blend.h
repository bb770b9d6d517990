#pragma once
#include <cstdint>

#include "controls/canvas.h"
#include "controls/pixel_format.h"

namespace skyvault {

// An 8-bit coverage mask, as a font engine renders a glyph: 0 leaves the
// canvas as it is, 255 covers it with the text colour.
struct CoverageMask {
  const uint8_t* rows = nullptr;
  int width = 0;
  int height = 0;
  int pitch = 0;  // bytes from one row to the next
};

// Lays the mask with its top-left corner at (x, y) onto a 32-bit canvas in `colour` (red + 256
// green + 65536 blue), mixing each covered pixel with what is under it in proportion to the
// coverage. Fully covered pixels get exactly the colour; nothing outside `clip` or the canvas
// changes.
void BlendCoverage(const CanvasView& canvas, const CoverageMask& mask, int x, int y,
                   RgbColour colour, const PixelRect& clip);

// One solid rectangle in `colour` (underline and strike-out lines), clipped
// the same way.
void FillSolid(const CanvasView& canvas, const PixelRect& rect, RgbColour colour,
               const PixelRect& clip);

}  // namespace skyvault
