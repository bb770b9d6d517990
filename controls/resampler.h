#pragma once
#include <optional>

#include "controls/decoded_image.h"

namespace skyvault {

// A part of a picture in its own pixel coordinates: the picture is
// [0, width) x [0, height), and the edges may fall between pixels.
struct SourceArea {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;

  double Width() const { return right - left; }
  double Height() const { return bottom - top; }
  bool operator==(const SourceArea&) const = default;
};

// Outputs larger than this on either side are refused.
constexpr int kMaxResampledSide = 16384;

// A premultiplied picture resampled to `width` x `height`, filling the
// output with `area` of the source: Catmull-Rom when enlarging, the same
// cubic widened by the ratio when reducing (so reducing averages every
// source pixel). Near the edges of the source its edge pixels repeat;
// pixels outside `area` but inside the picture take part as they are, so a
// cropped area joins seamlessly with what was cut off. Works in fixed point
// on premultiplied pixels, which keeps soft edges clean over any
// background. The output's colours never exceed its alpha. Nothing when the
// source is empty or inconsistent, the area empty, or the size out of range.
std::optional<DecodedImage> Resample(const DecodedImage& source, const SourceArea& area, int width,
                                     int height);
// The whole picture.
std::optional<DecodedImage> Resample(const DecodedImage& source, int width, int height);

}  // namespace skyvault
