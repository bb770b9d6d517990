#pragma once
#include <cstdint>
#include <vector>

#include "controls/canvas.h"
#include "controls/separable_filter.h"

namespace skyvault {

// Puts a 32-bit canvas (0x00RRGGBB) onto a target rectangle of a 32-bit
// output image through a filter: a tent average when reducing (every canvas
// pixel counts, none is skipped), bilinear when enlarging. For a monitor
// whose letterbox is smaller than the canvas, and for the preview pane.
// Parts of the canvas can be scaled on their own, so only what changed
// needs to be redone; the weights are worked out once, here.
class FilteredCanvasScaler {
 public:
  FilteredCanvasScaler(int canvasWidth, int canvasHeight, const PixelRect& target);

  const PixelRect& target() const { return target_; }
  // The output pixels whose filters read canvas pixels of `canvasRect`.
  PixelRect TargetOf(const PixelRect& canvasRect) const;
  // Writes those output pixels from the canvas (which must be 32-bit and of
  // the size given above); `output` is the output image's top-left pixel,
  // `outputStride` its row length in bytes. Returns what it wrote.
  PixelRect Scale(const CanvasView& canvas, const PixelRect& canvasRect, uint8_t* output,
                  int outputStride) const;

 private:
  // For every canvas position along an axis, the output positions
  // [first, end) that read it.
  struct Readers {
    std::vector<int> first;
    std::vector<int> end;
  };
  static Readers ReadersOf(const AxisTaps& taps, int canvasSize);
  static std::pair<int, int> Span(const Readers& readers, int from, int to);

  int canvasWidth_;
  int canvasHeight_;
  PixelRect target_;
  AxisTaps columns_;
  AxisTaps rows_;
  Readers columnReaders_;
  Readers rowReaders_;
  mutable RowFilter filter_;
  mutable std::vector<const uint32_t*> rowPointers_;
};

}  // namespace skyvault
