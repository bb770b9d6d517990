#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "controls/decoded_image.h"

namespace skyvault::testing {

// The project's own pictures read without the system's codecs, for native tests: uncompressed or
// bit-field BMPs of 8, 24 or 32 bits (alpha through the header's mask) and PNGs (libpng).
struct Bitmap {
  int width = 0, height = 0, bpp = 0;
  uint32_t alphaMask = 0;
  std::vector<uint32_t> rgb;   // 0xRRGGBB, top row first
  std::vector<uint8_t> alpha;  // 255 without an alpha mask
  uint8_t A(int x, int y) const { return alpha[size_t(y) * width + x]; }
};
// Nothing when the file is missing, not a BMP, compressed or truncated.
std::optional<Bitmap> ReadBmp(const std::string& path);

struct Png {
  int width = 0, height = 0;
  bool hasAlphaChannel = false;
  std::vector<uint8_t> rgba;
  uint8_t A(int x, int y) const { return rgba[(size_t(y) * width + x) * 4 + 3]; }
};
std::optional<Png> ReadPng(const std::string& path);

// An ImageDecoder on those files with every decoder's alpha rules: the art as the saver decodes it.
class FilePictureDecoder : public ImageDecoder {
 public:
  std::optional<DecodedImage> Decode(const std::string& path) override;
};

}  // namespace skyvault::testing
