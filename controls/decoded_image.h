#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace skyvault {

// Pictures larger than this on either side are refused.
constexpr int kMaxPictureSide = 8192;

// A decoded picture: rows from the top, one 32-bit pixel each, bytes in the
// order blue, green, red, alpha, with the colours premultiplied by alpha.
// `hasAlpha` is true when at least one pixel has alpha below 255.
struct DecodedImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0xAARRGGBB
  bool hasAlpha = false;
};

// Turns a picture file into pixels; nothing when the file is missing,
// unreadable, too large or not a picture. Decode may run on several threads
// at once (pictures are read side by side).
class ImageDecoder {
 public:
  virtual ~ImageDecoder() = default;
  virtual std::optional<DecodedImage> Decode(const std::string& path) = 0;
};

}  // namespace skyvault
