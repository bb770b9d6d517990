#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>

#include "controls/decoded_image.h"

namespace skyvault::testing {

inline int Channel(uint32_t p, int shift) { return static_cast<int>(p >> shift & 0xFF); }
inline int AlphaOf(uint32_t p) { return Channel(p, 24); }

// Random premultiplied pixels; `alphas` picks the alpha of each (all
// opaque, only 0 and 255, or anything).
enum class Alphas { Opaque, HardEdges, Any };
inline DecodedImage RandomPicture(int width, int height, Alphas alphas, uint32_t seed) {
  std::mt19937 random(seed);
  DecodedImage image{width, height, std::vector<uint32_t>(size_t(width) * height), false};
  for (uint32_t& p : image.pixels) {
    const uint32_t a = alphas == Alphas::Opaque      ? 255
                       : alphas == Alphas::HardEdges ? (random() & 1) * 255
                                                     : random() % 256;
    const auto c = [&] { return uint32_t(random() % (a + 1)); };
    p = a << 24 | c() << 16 | c() << 8 | c();
    image.hasAlpha |= a != 255;
  }
  return image;
}

inline DecodedImage FilledPicture(int width, int height, uint32_t pixel) {
  return {width, height, std::vector<uint32_t>(size_t(width) * height, pixel),
          (pixel >> 24) != 255};
}

// A white disc whose edge fades over a few pixels, premultiplied, on a
// transparent ground: the soft edge of an aircraft's outline.
inline DecodedImage SoftDisc(int size, uint32_t rgb) {
  DecodedImage image{size, size, std::vector<uint32_t>(size_t(size) * size), true};
  const double centre = size / 2.0, radius = size * 0.35, fade = 3.0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const double d = std::hypot(x + 0.5 - centre, y + 0.5 - centre);
      const int a = static_cast<int>(std::lround(255 * std::clamp((radius - d) / fade, 0.0, 1.0)));
      const auto mul = [&](int shift) { return uint32_t((Channel(rgb, shift) * a + 127) / 255); };
      image.pixels[size_t(y) * size + x] = uint32_t(a) << 24 | mul(16) << 16 | mul(8) << 8 | mul(0);
    }
  }
  return image;
}

// A premultiplied pixel over an opaque one (0x00RRGGBB), exactly.
inline uint32_t Over(uint32_t p, uint32_t under) {
  const int a = AlphaOf(p);
  uint32_t out = 0;
  for (int shift : {0, 8, 16}) {
    const int v = Channel(p, shift) + (Channel(under, shift) * (255 - a) + 127) / 255;
    out |= uint32_t(std::min(v, 255)) << shift;
  }
  return out;
}

inline DecodedImage Composited(const DecodedImage& image, uint32_t ground) {
  DecodedImage out = image;
  out.hasAlpha = false;
  for (uint32_t& p : out.pixels) p = 0xFF000000u | Over(p, ground);
  return out;
}

// The largest difference of one colour channel between two pictures.
inline int LargestDifference(const DecodedImage& a, const DecodedImage& b) {
  int largest = 0;
  for (size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i) {
    for (int shift : {0, 8, 16, 24}) {
      largest =
          std::max(largest, std::abs(Channel(a.pixels[i], shift) - Channel(b.pixels[i], shift)));
    }
  }
  return a.pixels.size() == b.pixels.size() ? largest : 256;
}

}  // namespace skyvault::testing
