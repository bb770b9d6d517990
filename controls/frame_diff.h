#pragma once
#include <cstdint>
#include <vector>

#include "controls/canvas.h"
#include "controls/tile_mask.h"

namespace skyvault {

// Finds the parts of a canvas that differ from the frame shown before.
class FrameDiff {
 public:
  // Compares the tiles marked in `written` with the previous frame (the
  // others are known to be unchanged) and remembers the new frame. The first
  // frame, a frame of another size or depth, and the frame after Forget
  // differ everywhere. Returns the tiles that differ.
  const TileMask& Update(const CanvasView& canvas, const TileMask& written);
  void Forget() { previous_.clear(); }

  // The pixels that differ, as few rectangles: in each tile the rectangle
  // around its changed pixels, joined with its neighbours along the tile
  // row, and with the rectangles of the tile row above where that adds
  // little area. Together they cover every changed pixel.
  const std::vector<PixelRect>& Parts() const { return parts_; }

 private:
  PixelRect CompareTile(const CanvasView& canvas, const PixelRect& tile);
  void JoinParts(const std::vector<PixelRect>& tileParts);

  std::vector<uint8_t> previous_;
  int width_ = 0;
  int height_ = 0;
  int depth_ = 0;
  TileMask changed_;
  std::vector<PixelRect> parts_;
};

}  // namespace skyvault
