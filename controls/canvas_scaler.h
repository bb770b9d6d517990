#pragma once
#include <cstdint>
#include <vector>

#include "controls/canvas.h"
#include "controls/monitor_layout.h"

namespace skyvault {

// Puts a canvas onto a target rectangle of a 32-bit (0x00RRGGBB) output
// image by nearest neighbour: each output pixel shows the canvas pixel
// under its centre. Parts of the canvas can be scaled on their own, so only
// what changed needs to be redone.
class CanvasScaler {
 public:
  CanvasScaler(int canvasWidth, int canvasHeight, const PixelRect& target);

  const PixelRect& target() const { return target_; }
  // The output pixels that show canvas pixels of `canvasRect`.
  PixelRect TargetOf(const PixelRect& canvasRect) const;
  // Writes those output pixels; `output` is the output image's top-left
  // pixel, `outputStride` its row length in bytes. Returns what it wrote.
  PixelRect Scale(const CanvasView& canvas, const PixelRect& canvasRect, uint8_t* output,
                  int outputStride) const;

 private:
  template <typename Pixel>
  void ScaleRows(const CanvasView& canvas, const PixelRect& out, uint8_t* output,
                 int outputStride) const;

  int canvasWidth_;
  int canvasHeight_;
  PixelRect target_;
  std::vector<int> sourceX_;       // per target column: canvas column
  std::vector<int> sourceY_;       // per target row: canvas row
  std::vector<int> firstTargetX_;  // per canvas column (and one past): first target column
  std::vector<int> firstTargetY_;
};

}  // namespace skyvault
