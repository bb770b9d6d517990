#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "controls/canvas.h"

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
  // Where these pixels lie in the whole picture (its top-left pixel is
  // 0, 0) when they are only a part of it.
  int left = 0;
  int top = 0;
  // A part without the whole picture's top-left pixel carries its colour
  // (0xRRGGBB) here: it keys a picture without alpha (see colour_key.h).
  uint32_t cornerColour = 0;
};

// Told a picture's full size before any of its pixels is decoded, answers
// the part of it to keep: a rectangle inside [0, width) x [0, height). An
// empty one refuses the picture (nothing is decoded).
using PartOfPicture = std::function<PixelRect(int width, int height)>;

// Turns a picture file into pixels; nothing when the file is missing,
// unreadable, too large, not a picture, or when there is no memory for it.
// Decode and DecodePart may run on several threads at once (pictures are
// read side by side).
class ImageDecoder {
 public:
  virtual ~ImageDecoder() = default;
  virtual std::optional<DecodedImage> Decode(const std::string& path) = 0;
  // Only the part that `part` chooses, with its place in left and top. A
  // decoder that can keep less than the whole picture while decoding
  // overrides this; by default the whole picture is decoded and cut.
  virtual std::optional<DecodedImage> DecodePart(const std::string& path,
                                                 const PartOfPicture& part);
};

// `area` of `image` (clipped to it) as a picture of its own, its place
// added to the image's; nothing when the area is empty or there is no
// memory for it.
std::optional<DecodedImage> CutOut(const DecodedImage& image, const PixelRect& area);

}  // namespace skyvault
