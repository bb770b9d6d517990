#include "controls/linux/straight_alpha.h"

namespace skyvault {

DecodedImage DecodedFromStraightRgba(int width, int height, const uint8_t* rows, int rowStride,
                                     int channels) {
  DecodedImage image;
  if (width <= 0 || height <= 0 || !rows || (channels != 3 && channels != 4)) return image;
  image.width = width;
  image.height = height;
  image.pixels.resize(static_cast<size_t>(width) * height);

  bool anyVisible = channels == 3, anyTranslucent = false;
  for (int y = 0; y < height; ++y) {
    const uint8_t* in = rows + static_cast<size_t>(y) * rowStride;
    uint32_t* out = image.pixels.data() + static_cast<size_t>(y) * width;
    for (int x = 0; x < width; ++x, in += channels) {
      const uint32_t a = channels == 4 ? in[3] : 255;
      anyVisible |= a != 0;
      anyTranslucent |= a != 255;
      out[x] = (a << 24) | (uint32_t{in[0]} << 16) | (uint32_t{in[1]} << 8) | in[2];
    }
  }
  if (!anyVisible) {
    // Alpha that hides everything is no alpha at all (a 32-bit bitmap whose
    // fourth byte is unused).
    for (uint32_t& p : image.pixels) p |= 0xFF000000u;
    return image;
  }
  image.hasAlpha = anyTranslucent;
  if (!anyTranslucent) return image;
  for (uint32_t& p : image.pixels) {
    const uint32_t a = p >> 24;
    if (a == 255) continue;
    auto mul = [a](uint32_t c) { return (c * a + 127) / 255; };
    p = (a << 24) | (mul((p >> 16) & 0xFF) << 16) | (mul((p >> 8) & 0xFF) << 8) | mul(p & 0xFF);
  }
  return image;
}

}  // namespace skyvault
