#include "controls/colour_key.h"

namespace skyvault {

std::optional<uint32_t> KeyColourOf(const DecodedImage& image) {
  if (image.width <= 0 || image.height <= 0 || image.pixels.empty()) return std::nullopt;
  if (image.left != 0 || image.top != 0) return image.cornerColour;
  return image.pixels[0] & 0xFFFFFF;
}

void ApplyColourKey(DecodedImage& image, uint32_t key) {
  if (image.hasAlpha) return;
  key &= 0xFFFFFF;
  bool keyed = false;
  for (uint32_t& p : image.pixels) {
    if ((p & 0xFFFFFF) == key) {
      p = 0;
      keyed = true;
    } else {
      p |= 0xFF000000u;
    }
  }
  image.hasAlpha = keyed;
}

}  // namespace skyvault
