#pragma once
#include <cstdint>

#include "controls/decoded_image.h"

namespace skyvault {

// A decoded picture from rows of straight (not premultiplied) R, G, B[, A]
// bytes, `channels` 3 or 4, `rowStride` bytes apart, under the same rules
// as on Windows: a picture whose alpha is zero everywhere is taken as opaque
// (its colours kept), any other alpha is premultiplied into the colours.
DecodedImage DecodedFromStraightRgba(int width, int height, const uint8_t* rows, int rowStride,
                                     int channels);

}  // namespace skyvault
