#pragma once
#include <cstdint>
#include <utility>
#include <vector>

#include "controls/canvas.h"
#include "controls/sprite_picture.h"

namespace skyvault {

// One thing laid on the canvas: a plain colour filling `bounds`, or a
// picture with its top-left corner at (x, y) that changes at most `bounds`.
struct Layer {
  const SpritePicture* picture = nullptr;  // none: the fill
  uint32_t fill = 0;                       // 0x00RRGGBB
  int64_t x = 0;
  int64_t y = 0;
  PixelRect bounds;

  static Layer Filled(uint32_t pixel, const PixelRect& bounds) {
    return {nullptr, pixel, 0, 0, bounds};
  }
  static Layer Of(const SpritePicture& picture, int64_t x, int64_t y, const PixelRect& bounds) {
    return {&picture, 0, x, y, bounds};
  }
};

// Composes a rectangle of a 32-bit canvas from layers, bottom first, row by
// row (in pieces of a few thousand pixels), so that each canvas pixel
// leaves the cache once: in each piece of a row only the layers from the last one
// covering it outright are laid, that one only where no later layer covers
// it (under an aircraft's body the sky is not fetched at all), and the
// others copied or blended over it while the piece is at hand. What no
// layer reaches keeps the canvas's own pixels.
class RowComposer {
 public:
  void Compose(const CanvasView& canvas, const PixelRect& area, const std::vector<Layer>& layers);

 private:
  // One piece of row y from the layers over it (active_) and the one under
  // them all (`base`, if any).
  void ComposePiece(uint32_t* out, int y, int left, int right, const Layer* base);

  std::vector<const Layer*> active_;
  std::vector<std::pair<int, int>> spans_;
};

}  // namespace skyvault
