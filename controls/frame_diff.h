#pragma once
#include <cstdint>
#include <vector>

#include "controls/canvas.h"
#include "controls/tile_mask.h"

namespace skyvault {

// Finds the tiles of a canvas that differ from the frame shown before.
class FrameDiff {
 public:
  // Compares the tiles marked in `written` with the previous frame (the
  // others are known to be unchanged) and remembers the new frame. The first
  // frame, a frame of another size or depth, and the frame after Forget
  // differ everywhere.
  const TileMask& Update(const CanvasView& canvas, const TileMask& written);
  void Forget() { previous_.clear(); }

 private:
  std::vector<uint8_t> previous_;
  int width_ = 0;
  int height_ = 0;
  int depth_ = 0;
  TileMask changed_;
};

}  // namespace skyvault
