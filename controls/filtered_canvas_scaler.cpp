#include "controls/filtered_canvas_scaler.h"

#include <algorithm>
#include <climits>

namespace skyvault {

FilteredCanvasScaler::FilteredCanvasScaler(int canvasWidth, int canvasHeight,
                                           const PixelRect& target)
    : canvasWidth_(canvasWidth), canvasHeight_(canvasHeight), target_(target) {
  if (canvasWidth <= 0 || canvasHeight <= 0 || target.Empty()) {
    target_ = {};
    return;
  }
  columns_ = BuildAxisTaps(canvasWidth, 0, canvasWidth, target.Width(), FilterKernel::Triangle);
  rows_ = BuildAxisTaps(canvasHeight, 0, canvasHeight, target.Height(), FilterKernel::Triangle);
  columnReaders_ = ReadersOf(columns_, canvasWidth);
  rowReaders_ = ReadersOf(rows_, canvasHeight);
  rowPointers_.resize(static_cast<size_t>(rows_.count));
}

FilteredCanvasScaler::Readers FilteredCanvasScaler::ReadersOf(const AxisTaps& taps,
                                                              int canvasSize) {
  Readers readers{std::vector<int>(static_cast<size_t>(canvasSize), INT_MAX),
                  std::vector<int>(static_cast<size_t>(canvasSize), INT_MIN)};
  for (int i = 0; i < taps.outputs(); ++i) {
    for (int k = 0; k < taps.count; ++k) {
      if (taps.weights[static_cast<size_t>(i) * taps.count + k] == 0) continue;
      const int c = taps.first[i] + k;
      readers.first[c] = std::min(readers.first[c], i);
      readers.end[c] = std::max(readers.end[c], i + 1);
    }
  }
  return readers;
}

std::pair<int, int> FilteredCanvasScaler::Span(const Readers& readers, int from, int to) {
  int first = INT_MAX, end = INT_MIN;
  for (int c = from; c < to; ++c) {
    first = std::min(first, readers.first[c]);
    end = std::max(end, readers.end[c]);
  }
  return {first, end};
}

PixelRect FilteredCanvasScaler::TargetOf(const PixelRect& canvasRect) const {
  const PixelRect r = canvasRect.Intersect({0, 0, canvasWidth_, canvasHeight_});
  if (r.Empty() || target_.Empty()) return {};
  const auto [left, right] = Span(columnReaders_, r.left, r.right);
  const auto [top, bottom] = Span(rowReaders_, r.top, r.bottom);
  if (left >= right || top >= bottom) return {};
  return {target_.left + left, target_.top + top, target_.left + right, target_.top + bottom};
}

PixelRect FilteredCanvasScaler::Scale(const CanvasView& canvas, const PixelRect& canvasRect,
                                      uint8_t* output, int outputStride) const {
  if (canvas.depth != 32 || canvas.width != canvasWidth_ || canvas.height != canvasHeight_ ||
      !canvas.Valid()) {
    return {};
  }
  const PixelRect out = TargetOf(canvasRect);
  if (out.Empty()) return {};
  const int x0 = out.left - target_.left, x1 = out.right - target_.left;
  for (int y = out.top; y < out.bottom; ++y) {
    const int row = y - target_.top;
    for (int k = 0; k < rows_.count; ++k) {
      rowPointers_[k] = reinterpret_cast<const uint32_t*>(canvas.Row(rows_.first[row] + k));
    }
    auto* line = reinterpret_cast<uint32_t*>(output + static_cast<intptr_t>(y) * outputStride);
    filter_.FilterRow(rowPointers_.data(), &rows_.weights[static_cast<size_t>(row) * rows_.count],
                      rows_.count, columns_, x0, x1, PixelRange::Opaque, line + out.left);
  }
  return out;
}

}  // namespace skyvault
