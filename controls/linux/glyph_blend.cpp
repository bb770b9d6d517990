#include "controls/linux/glyph_blend.h"

#include <algorithm>

#include "controls/pixel_format.h"

namespace skyvault {
namespace {

// (under * (255 - c) + over * c) / 255, rounded.
inline int Mix(int under, int over, int c) { return (under * (255 - c) + over * c + 127) / 255; }

void BlendRows(const CanvasView& canvas, const CoverageMask& mask, int x, int y,
               const PixelRect& area, RgbColour colour) {
  const int r = RedOf(colour), g = GreenOf(colour), b = BlueOf(colour);
  for (int row = area.top; row < area.bottom; ++row) {
    const uint8_t* coverage = mask.rows + static_cast<intptr_t>(row - y) * mask.pitch;
    auto* out = reinterpret_cast<uint32_t*>(canvas.Row(row));
    for (int column = area.left; column < area.right; ++column) {
      const int c = coverage[column - x];
      if (c == 0) continue;
      uint32_t& pixel = out[column];
      pixel = c == 255 ? PackXrgb(r, g, b)
                       : PackXrgb(Mix((pixel >> 16) & 0xFF, r, c), Mix((pixel >> 8) & 0xFF, g, c),
                                  Mix(pixel & 0xFF, b, c));
    }
  }
}

}  // namespace

void BlendCoverage(const CanvasView& canvas, const CoverageMask& mask, int x, int y,
                   RgbColour colour, const PixelRect& clip) {
  if (!canvas.Valid() || !mask.rows || mask.width <= 0 || mask.height <= 0) return;
  const PixelRect area =
      PixelRect{x, y, x + mask.width, y + mask.height}.Intersect(clip).Intersect(canvas.Bounds());
  if (area.Empty()) return;
  BlendRows(canvas, mask, x, y, area, colour);
}

void FillSolid(const CanvasView& canvas, const PixelRect& rect, RgbColour colour,
               const PixelRect& clip) {
  if (!canvas.Valid()) return;
  const PixelRect area = rect.Intersect(clip).Intersect(canvas.Bounds());
  if (area.Empty()) return;
  const uint32_t pixel = ColourToXrgb(colour);
  for (int row = area.top; row < area.bottom; ++row) {
    auto* out = reinterpret_cast<uint32_t*>(canvas.Row(row));
    std::fill(out + area.left, out + area.right, pixel);
  }
}

}  // namespace skyvault
