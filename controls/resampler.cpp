#include "controls/resampler.h"

#include <algorithm>

#include "controls/separable_filter.h"

namespace skyvault {
namespace {

// For every row of a picture with alpha, the columns [first, end) between
// its first and last visible pixel (first == end: none). Fully transparent
// premultiplied pixels are all zero and add nothing to a filtered pixel,
// so output pixels that read only those are zero without filtering: an
// aircraft is mostly clear ground.
std::vector<std::pair<int, int>> VisibleSpans(const DecodedImage& image) {
  std::vector<std::pair<int, int>> spans(static_cast<size_t>(image.height), {0, image.width});
  if (!image.hasAlpha) return spans;
  for (int y = 0; y < image.height; ++y) {
    const uint32_t* row = &image.pixels[static_cast<size_t>(y) * image.width];
    int first = 0, end = image.width;
    while (first < end && row[first] == 0) ++first;
    while (end > first && row[end - 1] == 0) --end;
    spans[y] = {first, end};
  }
  return spans;
}

}  // namespace

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
  out.pixels.assign(static_cast<size_t>(width) * height, 0);
  const std::vector<std::pair<int, int>> visible = VisibleSpans(source);
  std::vector<const uint32_t*> rowPointers(static_cast<size_t>(rows.count));
  RowFilter filter;
  for (int y = 0; y < height; ++y) {
    int first = source.width, end = 0;  // the visible columns of the rows read
    for (int k = 0; k < rows.count; ++k) {
      const int row = rows.first[y] + k;
      rowPointers[k] = &source.pixels[static_cast<size_t>(row) * source.width];
      if (rows.weights[static_cast<size_t>(y) * rows.count + k] != 0 &&
          visible[row].first < visible[row].second) {
        first = std::min(first, visible[row].first), end = std::max(end, visible[row].second);
      }
    }
    // The output columns whose taps reach them; all others stay clear.
    int from = width, to = 0;
    for (int x = 0; x < width; ++x) {
      if (columns.first[x] < end && columns.first[x] + columns.count > first) {
        from = std::min(from, x), to = x + 1;
      }
    }
    uint32_t* line = &out.pixels[static_cast<size_t>(y) * width];
    if (from < to) {
      filter.FilterRow(rowPointers.data(), &rows.weights[static_cast<size_t>(y) * rows.count],
                       rows.count, columns, from, to, PixelRange::Premultiplied, line + from);
    }
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
