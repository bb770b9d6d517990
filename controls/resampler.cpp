#include "controls/resampler.h"

#include <algorithm>

#include "controls/separable_filter.h"

namespace skyvault {

std::optional<DecodedImage> Resample(const DecodedImage& source, const SourceArea& area, int width,
                                     int height) {
  if (source.width <= 0 || source.height <= 0 ||
      source.pixels.size() < static_cast<size_t>(source.width) * source.height || width <= 0 ||
      height <= 0 || width > kMaxResampledSide || height > kMaxResampledSide) {
    return std::nullopt;
  }
  const AxisTaps columns =
      BuildAxisTaps(source.width, area.left, area.right, width, FilterKernel::CatmullRom);
  const AxisTaps rows =
      BuildAxisTaps(source.height, area.top, area.bottom, height, FilterKernel::CatmullRom);
  if (columns.outputs() != width || rows.outputs() != height) return std::nullopt;

  DecodedImage out;
  out.width = width;
  out.height = height;
  out.pixels.resize(static_cast<size_t>(width) * height);
  std::vector<const uint32_t*> rowPointers(static_cast<size_t>(rows.count));
  RowFilter filter;
  for (int y = 0; y < height; ++y) {
    for (int k = 0; k < rows.count; ++k) {
      rowPointers[k] = &source.pixels[static_cast<size_t>(rows.first[y] + k) * source.width];
    }
    filter.FilterRow(rowPointers.data(), &rows.weights[static_cast<size_t>(y) * rows.count],
                     rows.count, columns, 0, width, PixelRange::Premultiplied,
                     &out.pixels[static_cast<size_t>(y) * width]);
  }
  out.hasAlpha = std::any_of(out.pixels.begin(), out.pixels.end(),
                             [](uint32_t p) { return (p >> 24) != 0xFF; });
  return out;
}

std::optional<DecodedImage> Resample(const DecodedImage& source, int width, int height) {
  return Resample(source, SourceArea{0, 0, double(source.width), double(source.height)}, width,
                  height);
}

}  // namespace skyvault
