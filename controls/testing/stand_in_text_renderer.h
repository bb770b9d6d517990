#pragma once
#include "controls/text_renderer.h"

namespace skyvault {

// Text without a font engine: every character but a blank is a block of
// stripes, half as wide as the line is high, in the text colour. Stands in
// for the platform's fonts in tests and benchmarks.
class StandInTextRenderer : public TextRenderer {
 public:
  void SetFont(const TextFont& font) override { font_ = font; }
  PixelRect Bounds(const CanvasView& canvas, const std::string& text, int x, int y) override;
  void Draw(const CanvasView& canvas, const std::string& text, int x, int y, int32_t colour,
            const PixelRect& clip) override;
  bool BlendsLinearly() const override { return blendsLinearly; }

  // The cell of one character for the current font.
  int CellWidth() const;
  int CellHeight() const;

  // False: strokes are laid as their colour OR'ed with what is under them,
  // which no picture kept from a drawing over black and white reproduces.
  bool blendsLinearly = true;

 private:
  TextFont font_{"", 16};
};

}  // namespace skyvault
