#pragma once
#include <map>

#include "controls/decoded_image.h"

namespace skyvault::testing {

// Pictures by path, as a test sets them up; any other path is missing.
struct FakeImageDecoder : ImageDecoder {
  std::optional<DecodedImage> Decode(const std::string& path) override {
    auto it = pictures.find(path);
    return it == pictures.end() ? std::nullopt : std::optional(it->second);
  }
  std::map<std::string, DecodedImage> pictures;
};

// Opaque pixels given as 0xRRGGBB, row after row; the rest black.
inline DecodedImage OpaqueImage(int width, int height, std::initializer_list<uint32_t> rgb) {
  DecodedImage image{width, height, std::vector<uint32_t>(size_t(width) * height, 0xFF000000u)};
  size_t i = 0;
  for (uint32_t p : rgb) image.pixels[i++] |= p;
  return image;
}

inline uint32_t Premultiplied(int r, int g, int b, int a) {
  auto mul = [a](int c) { return static_cast<uint32_t>((c * a + 127) / 255); };
  return (static_cast<uint32_t>(a) << 24) | (mul(r) << 16) | (mul(g) << 8) | mul(b);
}

}  // namespace skyvault::testing
