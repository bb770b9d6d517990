#include "controls/canvas_scaler.h"

#include <algorithm>
#include <cstring>

#include "controls/pixel_format.h"

namespace skyvault {
namespace {

// For each of `targetSize` output positions, the source position under its
// centre; and for each source position, the first output position showing
// it or a later one.
void BuildMap(int sourceSize, int targetSize, std::vector<int>& source, std::vector<int>& first) {
  source.resize(std::max(targetSize, 0));
  for (int t = 0; t < targetSize; ++t) {
    source[t] = static_cast<int>((2 * static_cast<int64_t>(t) + 1) * sourceSize /
                                 (2 * static_cast<int64_t>(targetSize)));
  }
  first.assign(sourceSize + 1, targetSize);
  int s = 0;
  for (int t = 0; t < targetSize; ++t) {
    while (s <= source[t]) first[s++] = t;
  }
}

// Every 565 pixel as 0x00RRGGBB, looked up rather than computed.
const uint32_t* XrgbTable() {
  static const std::vector<uint32_t> table = [] {
    std::vector<uint32_t> t(65536);
    for (uint32_t p = 0; p < 65536; ++p) t[p] = XrgbOf565(static_cast<uint16_t>(p));
    return t;
  }();
  return table.data();
}

}  // namespace

CanvasScaler::CanvasScaler(int canvasWidth, int canvasHeight, const PixelRect& target)
    : canvasWidth_(canvasWidth), canvasHeight_(canvasHeight), target_(target) {
  BuildMap(canvasWidth, target.Width(), sourceX_, firstTargetX_);
  BuildMap(canvasHeight, target.Height(), sourceY_, firstTargetY_);
}

PixelRect CanvasScaler::TargetOf(const PixelRect& canvasRect) const {
  const PixelRect r = canvasRect.Intersect({0, 0, canvasWidth_, canvasHeight_});
  if (r.Empty() || target_.Empty()) return {};
  const PixelRect out{target_.left + firstTargetX_[r.left], target_.top + firstTargetY_[r.top],
                      target_.left + firstTargetX_[r.right], target_.top + firstTargetY_[r.bottom]};
  return out.Empty() ? PixelRect{} : out;
}

PixelRect CanvasScaler::Scale(const CanvasView& canvas, const PixelRect& canvasRect,
                              uint8_t* output, int outputStride) const {
  if (canvas.width != canvasWidth_ || canvas.height != canvasHeight_) return {};
  const PixelRect out = TargetOf(canvasRect);
  if (out.Empty()) return {};
  if (canvas.depth == 16) {
    ScaleRows<uint16_t>(canvas, out, output, outputStride);
  } else {
    ScaleRows<uint32_t>(canvas, out, output, outputStride);
  }
  return out;
}

template <typename Pixel>
void CanvasScaler::ScaleRows(const CanvasView& canvas, const PixelRect& out, uint8_t* output,
                             int outputStride) const {
  const int x0 = out.left - target_.left, x1 = out.right - target_.left;
  const int* sourceX = sourceX_.data();
  const uint32_t* table = XrgbTable();
  int previousSourceRow = -1;
  uint32_t* previousRow = nullptr;
  for (int y = out.top; y < out.bottom; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(output + static_cast<intptr_t>(y) * outputStride);
    const int sourceRow = sourceY_[y - target_.top];
    if (sourceRow == previousSourceRow) {
      std::memcpy(row + out.left, previousRow + out.left, sizeof(uint32_t) * (x1 - x0));
      continue;
    }
    const Pixel* in = reinterpret_cast<const Pixel*>(canvas.Row(sourceRow));
    uint32_t* o = row + target_.left;
    for (int x = x0; x < x1; ++x) {
      if constexpr (sizeof(Pixel) == 2) {
        o[x] = table[in[sourceX[x]]];
      } else {
        o[x] = in[sourceX[x]] & 0xFFFFFF;
      }
    }
    previousSourceRow = sourceRow;
    previousRow = row;
  }
}

}  // namespace skyvault
