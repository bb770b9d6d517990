#pragma once
#include <cstdint>
#include <string>

#include "controls/canvas.h"

namespace skyvault {

struct TextFont {
  std::string face;
  int32_t size = 0;  // height of a line of text in canvas pixels
  int32_t weight = 0;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
};

// Draws text onto the canvas with a transparent background.
class TextRenderer {
 public:
  virtual ~TextRenderer() = default;
  virtual void SetFont(const TextFont& font) = 0;
  // Draws `text` with its top-left corner at (x, y) in `colour`
  // (red + 256 green + 65536 blue, already as the canvas shows it); returns
  // the part of the canvas it may have changed.
  virtual PixelRect Draw(const CanvasView& canvas, const std::string& text, int x, int y,
                         int32_t colour) = 0;
};

}  // namespace skyvault
