#pragma once
#include <algorithm>

#include "controls/pixel_format.h"
#include "controls/text_renderer.h"

namespace skyvault {

// Text without a font engine, for tests and benchmarks: every character but a blank is a block of
// stripes, half as wide as the line is high, in the text colour.
class StandInTextRenderer : public TextRenderer {
 public:
  void SetFont(const TextFont& font) override { font_ = font; }
  PixelRect Bounds(const CanvasView& canvas, const std::string& text, int x, int y) override {
    const int64_t right =
        std::min(int64_t{x} + int64_t{CellWidth()} * int64_t(text.size()), int64_t{canvas.width});
    const int64_t bottom = std::min(int64_t{y} + CellHeight(), int64_t{canvas.height});
    const PixelRect area{std::max(x, 0), std::max(y, 0), int(std::max<int64_t>(right, 0)),
                         int(std::max<int64_t>(bottom, 0))};
    return area.Empty() ? PixelRect{} : area;
  }
  void Draw(const CanvasView& canvas, const std::string& text, int x, int y, int32_t colour,
            const PixelRect& clip) override {
    const PixelRect area = Bounds(canvas, text, x, y).Intersect(clip);
    const uint32_t pixelXrgb = ColourToXrgb(colour);
    const int cell = CellWidth();
    for (int py = area.top; py < area.bottom; ++py) {
      for (int px = area.left; px < area.right; ++px) {
        const int64_t offset = int64_t{px} - x;
        const unsigned char ch = static_cast<unsigned char>(text[offset / cell]);
        const int column = static_cast<int>(offset % cell);
        // Blanks stay empty; other characters are stripes, a gap column between them.
        if (ch == ' ' || column == cell - 1 || ((column + ch) & 1) != 0) continue;
        uint32_t& pixel = reinterpret_cast<uint32_t*>(canvas.Row(py))[px];
        // Not blending linearly: the stroke lets what is under it show through.
        pixel = blendsLinearly ? pixelXrgb : pixelXrgb | pixel;
      }
    }
  }
  bool BlendsLinearly() const override { return blendsLinearly; }

  // The cell of one character for the current font.
  int CellWidth() const { return std::max(1, CellHeight() / 2); }
  int CellHeight() const { return std::clamp(font_.size, 1, 512); }

  // False: strokes OR'ed with what is under them, as no picture kept over black and white shows.
  bool blendsLinearly = true;

 private:
  TextFont font_{"", 16};
};

}  // namespace skyvault
