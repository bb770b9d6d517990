#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>

#include "controls/decoded_image.h"

namespace skyvault::testing {

inline int Channel(uint32_t p, int shift) { return static_cast<int>(p >> shift & 0xFF); }

// Random premultiplied pixels: all opaque, alpha only 0 or 255, or any alpha.
enum class Alphas { Opaque, HardEdges, Any };
inline DecodedImage RandomPicture(int width, int height, Alphas alphas, uint32_t seed) {
  std::mt19937 random(seed);
  DecodedImage image{width, height, std::vector<uint32_t>(size_t(width) * height), false};
  for (uint32_t& p : image.pixels) {
    uint32_t a = alphas == Alphas::Opaque ? 255 : random() % 256;
    if (alphas == Alphas::HardEdges) a = a & 1 ? 255 : 0;
    p = a << 24 | random() % (a + 1) << 16 | random() % (a + 1) << 8 | random() % (a + 1);
    image.hasAlpha |= a != 255;
  }
  return image;
}

inline DecodedImage FilledPicture(int width, int height, uint32_t pixel) {
  return {width, height, std::vector<uint32_t>(size_t(width) * height, pixel), pixel >> 24 != 255};
}

// A premultiplied disc of colour `rgb` whose edge fades over three pixels: an aircraft's outline.
inline DecodedImage SoftDisc(int size, uint32_t rgb) {
  DecodedImage image = FilledPicture(size, size, 0);
  for (int i = 0; i < size * size; ++i) {
    const double d = std::hypot(i % size + 0.5 - size / 2.0, i / size + 0.5 - size / 2.0);
    const int a = int(std::lround(255 * std::clamp((size * 0.35 - d) / 3, 0.0, 1.0)));
    const auto mul = [&](int shift) { return uint32_t((Channel(rgb, shift) * a + 127) / 255); };
    image.pixels[i] = uint32_t(a) << 24 | mul(16) << 16 | mul(8) << 8 | mul(0);
  }
  return image;
}

// The picture put over an opaque ground (0xRRGGBB).
inline DecodedImage Composited(DecodedImage image, uint32_t ground) {
  for (uint32_t& p : image.pixels) {
    uint32_t out = 0xFF000000u;
    for (int shift : {0, 8, 16}) {
      const int v =
          Channel(p, shift) + (Channel(ground, shift) * (255 - Channel(p, 24)) + 127) / 255;
      out |= uint32_t(std::min(v, 255)) << shift;
    }
    p = out;
  }
  image.hasAlpha = false;
  return image;
}

}  // namespace skyvault::testing
