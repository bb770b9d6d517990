#pragma once
#include <cstdint>
#include <optional>

#include "controls/decoded_image.h"

namespace skyvault {

// An aircraft picture without alpha has one see-through colour: that of its
// top-left pixel. Taken from the named file, it also keys the file's
// high-resolution companions.

// The key colour (0xRRGGBB) of a picture, also of a part of one that lacks
// the top-left pixel; nothing for an empty picture.
std::optional<uint32_t> KeyColourOf(const DecodedImage& image);

// Turns a picture without alpha into one with premultiplied alpha: the
// pixels of colour `key` (0xRRGGBB) become fully transparent (all zero),
// every other pixel stays as it is, opaque. Keyed this way a picture can be
// resampled like any other and the key colour never bleeds into its edges.
// A picture that has alpha of its own keeps it.
void ApplyColourKey(DecodedImage& image, uint32_t key);

}  // namespace skyvault
