#pragma once
#include <cstddef>
#include <cstdint>

namespace skyvault {

// The two inner loops of composing a frame, on rows of 32-bit pixels:
// copying, and premultiplied pixels (0xAARRGGBB) over canvas pixels
// (0x00RRGGBB): colour + canvas * (255 - alpha) / 255, rounded down after
// adding 127, at most 255. Done sixteen bytes at a time where the processor
// allows (the C library's copy is not always fast: Wine's is a plain loop).
void CopyPixels(uint32_t* out, const uint32_t* in, size_t count);
void BlendPixels(uint32_t* out, const uint32_t* premultiplied, size_t count);

// One pixel of BlendPixels.
uint32_t BlendXrgb(uint32_t source, uint32_t under);

}  // namespace skyvault
