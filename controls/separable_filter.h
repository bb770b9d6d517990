#pragma once
#include <cstdint>
#include <utility>
#include <vector>

#include "controls/pixel_rows.h"

namespace skyvault {

// The shapes a picture is filtered with when it changes size. Each is
// widened by the reduction ratio when reducing, so that every source pixel
// counts towards the result and none is skipped.
enum class FilterKernel {
  CatmullRom,  // sharp cubic (radius 2): pictures resampled once at load
  Triangle,    // bilinear when enlarging, a tent average when reducing (radius 1)
};

// Fixed-point weights sum to this (14 fractional bits).
constexpr int kFilterOne = 1 << 14;

// Which source pixels, and with what weights, make each output pixel along
// one axis. Every output position reads `count` consecutive source pixels
// starting at `first[i]` (always inside the source: reads beyond an edge
// are folded onto the edge pixel), weights `weights[i * count + k]`
// summing to kFilterOne.
struct AxisTaps {
  int count = 0;
  std::vector<int> first;
  std::vector<int16_t> weights;

  int outputs() const { return static_cast<int>(first.size()); }
  // The source pixels that output positions [from, to) read, as [first, end).
  std::pair<int, int> SourcesOf(int from, int to) const;
};

// Output positions 0 .. outputSize-1 cover the source span [from, to)
// (fractional source pixel edges) evenly; source pixel j has its centre at
// j + 0.5. Empty taps when a size is not positive or the span is empty.
AxisTaps BuildAxisTaps(int sourceSize, double from, double to, int outputSize, FilterKernel kernel);

// How filtered pixels are brought back into range.
enum class PixelRange {
  Premultiplied,  // 0xAARRGGBB with colours premultiplied: alpha 0..255, each colour 0..alpha
  Opaque,         // 0x00RRGGBB: each colour 0..255, the top byte 0
};

// Filters output rows of 32-bit pixels: a vertical pass over the source rows
// an output row reads, then a horizontal pass along the result. Keeps its
// working rows between calls, so filtering row after row allocates nothing.
class RowFilter {
 public:
  // The instruction-set level is the pixel rows' (an available one); every
  // level gives the same pixels.
  explicit RowFilter(PixelRowsLevel level = ActivePixelRowsLevel()) : level_(level) {}

  // Writes output pixels [outFrom, outTo) (positions of `columns`) of one
  // output row to `out` (out[0] is position outFrom). `rows` holds the
  // `rowCount` source rows with their weights `rowWeights`.
  void FilterRow(const uint32_t* const* rows, const int16_t* rowWeights, int rowCount,
                 const AxisTaps& columns, int outFrom, int outTo, PixelRange range, uint32_t* out);

 private:
  PixelRowsLevel level_;
  std::vector<int16_t> mixed_;
};

}  // namespace skyvault
