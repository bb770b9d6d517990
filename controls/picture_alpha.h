#pragma once
#include "controls/decoded_image.h"

namespace skyvault {

// How the colours of the pixels a platform's codec handed over relate to
// their alpha.
enum class AlphaForm {
  Straight,       // colours as they are (gdk-pixbuf, WIC's 32bppBGRA)
  Premultiplied,  // colours already multiplied by alpha (WIC's 32bppPBGRA)
};

// Makes the 32-bit pixels (0xAARRGGBB) that a decoder got from the
// system's codec what a DecodedImage holds, the same on every platform:
// - a picture whose alpha is zero everywhere counts as opaque: such files
//   carry padding, not transparency; its colours are kept (only a
//   straight picture still has them) and its alpha becomes 255;
// - otherwise the colours end premultiplied (rounded to the nearest
//   level), never above their alpha;
// - hasAlpha tells whether any pixel is less than opaque.
void ApplyAlphaRules(DecodedImage& image, AlphaForm form);

}  // namespace skyvault
