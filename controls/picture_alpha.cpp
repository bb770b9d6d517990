#include "controls/picture_alpha.h"

#include <algorithm>

namespace skyvault {
namespace {

uint32_t Premultiply(uint32_t pixel) {
  const uint32_t a = pixel >> 24;
  auto times = [a](uint32_t c) { return (c * a + 127) / 255; };
  return (a << 24) | (times(pixel >> 16 & 0xFF) << 16) | (times(pixel >> 8 & 0xFF) << 8) |
         times(pixel & 0xFF);
}

// A premultiplied colour cannot exceed its alpha; a codec's that does is
// held to it, so that blending and resampling never overflow.
uint32_t HeldToAlpha(uint32_t pixel) {
  const uint32_t a = pixel >> 24;
  auto held = [a](uint32_t c) { return std::min(c, a); };
  return (a << 24) | (held(pixel >> 16 & 0xFF) << 16) | (held(pixel >> 8 & 0xFF) << 8) |
         held(pixel & 0xFF);
}

}  // namespace

void ApplyAlphaRules(DecodedImage& image, AlphaForm form) {
  bool anyVisible = false, anyTranslucent = false;
  for (uint32_t p : image.pixels) {
    const uint32_t a = p >> 24;
    anyVisible |= a != 0;
    anyTranslucent |= a != 255;
  }
  if (!anyVisible) {
    for (uint32_t& p : image.pixels) p |= 0xFF000000u;
    image.hasAlpha = false;
    return;
  }
  image.hasAlpha = anyTranslucent;
  if (!anyTranslucent) return;
  for (uint32_t& p : image.pixels) {
    if (p >> 24 == 255) continue;
    p = form == AlphaForm::Straight ? Premultiply(p) : HeldToAlpha(p);
  }
}

}  // namespace skyvault
