#pragma once
#include <map>
#include <optional>
#include <string>

#include "controls/decoded_image.h"

namespace skyvault::testing {

// Pictures by path, as a test sets them up; any other path is missing.
class FakeImageDecoder : public ImageDecoder {
 public:
  std::optional<DecodedImage> Decode(const std::string& path) override {
    ++decodeCount;
    auto it = pictures.find(path);
    if (it == pictures.end()) return std::nullopt;
    return it->second;
  }
  std::map<std::string, DecodedImage> pictures;
  int decodeCount = 0;
};

// A picture of opaque pixels given as 0xRRGGBB values, row after row.
inline DecodedImage OpaqueImage(int width, int height, std::initializer_list<uint32_t> rgb) {
  DecodedImage image{width, height, {}, false};
  for (uint32_t p : rgb) image.pixels.push_back(0xFF000000u | p);
  image.pixels.resize(static_cast<size_t>(width) * height, 0xFF000000u);
  return image;
}

// One premultiplied pixel from straight components.
inline uint32_t Premultiplied(int r, int g, int b, int a) {
  auto mul = [a](int c) { return static_cast<uint32_t>((c * a + 127) / 255); };
  return (static_cast<uint32_t>(a) << 24) | (mul(r) << 16) | (mul(g) << 8) | mul(b);
}

}  // namespace skyvault::testing
