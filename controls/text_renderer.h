#pragma once
#include <cstdint>
#include <string>

#include "controls/canvas.h"
#include "controls/pixel_format.h"

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
  // The part of the canvas that `text` in the current font with its
  // top-left corner at (x, y) may change.
  virtual PixelRect Bounds(const CanvasView& canvas, const std::string& text, int x, int y) = 0;
  // Draws it there in `colour` (red + 256 green + 65536 blue, already as
  // the canvas shows it), changing no pixel outside `clip`.
  virtual void Draw(const CanvasView& canvas, const std::string& text, int x, int y,
                    RgbColour colour, const PixelRect& clip) = 0;
  // Whether the text lands as one colour laid over the canvas with a
  // coverage that does not depend on what is under it, so that drawing it
  // once over black and once over white tells how it lands over anything
  // (and it may be kept like a picture). A font engine that blends in
  // another space (gamma-corrected edges) says no: its text is drawn anew
  // over the canvas wherever a frame redraws it.
  virtual bool BlendsLinearly() const { return true; }
};

}  // namespace skyvault
