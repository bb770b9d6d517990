#include "controls/testing/stand_in_text_renderer.h"

#include <algorithm>

#include "controls/pixel_format.h"

namespace skyvault {

int StandInTextRenderer::CellHeight() const { return std::clamp(font_.size, 1, 512); }
int StandInTextRenderer::CellWidth() const { return std::max(1, CellHeight() / 2); }

PixelRect StandInTextRenderer::Bounds(const CanvasView& canvas, const std::string& text, int x,
                                      int y) {
  const int64_t right =
      std::min(int64_t{x} + int64_t{CellWidth()} * int64_t(text.size()), int64_t{canvas.width});
  const int64_t bottom = std::min(int64_t{y} + CellHeight(), int64_t{canvas.height});
  const PixelRect area{std::max(x, 0), std::max(y, 0), int(std::max<int64_t>(right, 0)),
                       int(std::max<int64_t>(bottom, 0))};
  return area.Empty() ? PixelRect{} : area;
}

void StandInTextRenderer::Draw(const CanvasView& canvas, const std::string& text, int x, int y,
                               int32_t colour, const PixelRect& clip) {
  const PixelRect area = Bounds(canvas, text, x, y).Intersect(clip);
  if (area.Empty()) return;
  const uint32_t pixelXrgb = ColourToXrgb(colour);
  const int cell = CellWidth();
  for (int py = area.top; py < area.bottom; ++py) {
    uint8_t* row = canvas.Row(py);
    for (int px = area.left; px < area.right; ++px) {
      const int64_t offset = int64_t{px} - x;
      const unsigned char ch = static_cast<unsigned char>(text[offset / cell]);
      const int column = static_cast<int>(offset % cell);
      // Blanks stay empty; other characters are stripes, a gap column between them.
      if (ch == ' ' || column == cell - 1 || ((column + ch) & 1) != 0) continue;
      uint32_t& pixel = reinterpret_cast<uint32_t*>(row)[px];
      // Not blending linearly: the stroke lets what is under it show through.
      pixel = blendsLinearly ? pixelXrgb : pixelXrgb | pixel;
    }
  }
}

}  // namespace skyvault
