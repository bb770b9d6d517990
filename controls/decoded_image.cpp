#include "controls/decoded_image.h"

#include <algorithm>
#include <new>

namespace skyvault {

std::optional<DecodedImage> ImageDecoder::DecodePart(const std::string& path,
                                                     const PartOfPicture& part) {
  std::optional<DecodedImage> whole = Decode(path);
  if (!whole || whole->width <= 0 || whole->height <= 0) return std::nullopt;
  const PixelRect area = part(whole->width, whole->height);
  if (area == PixelRect{0, 0, whole->width, whole->height}) return whole;
  return CutOut(*whole, area);
}

std::optional<DecodedImage> CutOut(const DecodedImage& image, const PixelRect& area) {
  const PixelRect kept = area.Intersect({0, 0, image.width, image.height});
  if (kept.Empty() || image.pixels.size() < static_cast<size_t>(image.width) * image.height) {
    return std::nullopt;
  }
  try {
    DecodedImage part;
    part.width = kept.Width();
    part.height = kept.Height();
    part.left = image.left + kept.left;
    part.top = image.top + kept.top;
    part.cornerColour =
        image.left == 0 && image.top == 0 ? image.pixels[0] & 0xFFFFFF : image.cornerColour;
    part.pixels.reserve(static_cast<size_t>(part.width) * part.height);
    for (int y = kept.top; y < kept.bottom; ++y) {
      const auto row = image.pixels.begin() + static_cast<ptrdiff_t>(y) * image.width;
      part.pixels.insert(part.pixels.end(), row + kept.left, row + kept.right);
    }
    part.hasAlpha = std::any_of(part.pixels.begin(), part.pixels.end(),
                                [](uint32_t p) { return (p >> 24) != 0xFF; });
    return part;
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

}  // namespace skyvault
