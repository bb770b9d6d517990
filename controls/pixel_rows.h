#pragma once
#include <cstddef>
#include <cstdint>

namespace skyvault {

// The two inner loops of composing a frame, on rows of 32-bit pixels:
// copying, and premultiplied pixels (0xAARRGGBB) over canvas pixels
// (0x00RRGGBB): colour + canvas * (255 - alpha) / 255, rounded down after
// adding 127, at most 255. Done sixteen or thirty-two bytes at a time where
// the processor allows (the C library's copy is not always fast: Wine's is
// a plain loop). The two rows of a call never share pixels.
void CopyPixels(uint32_t* out, const uint32_t* in, size_t count);
void BlendPixels(uint32_t* out, const uint32_t* premultiplied, size_t count);

// One pixel of BlendPixels.
uint32_t BlendXrgb(uint32_t source, uint32_t under);

// The instruction sets the row loops are written for; every level gives the
// same pixels. SSE2 is the base of the x86-64 builds; AVX2 is used where the
// processor (and the system) offers it. CopyPixels and BlendPixels take the
// widest level available, chosen once at their first call. The environment
// variable SKYVAULT_PIXEL_ROWS ("scalar", "sse2" or "avx2") asks for a
// narrower level for the whole program, to compare them; a level this
// processor lacks, or any other value, is ignored.
enum class PixelRowsLevel { Scalar, Sse2, Avx2 };

struct PixelRowLoops {
  void (*copy)(uint32_t* out, const uint32_t* in, size_t count);
  void (*blend)(uint32_t* out, const uint32_t* premultiplied, size_t count);
};

// Whether this build and this processor can run `level`.
bool PixelRowsLevelAvailable(PixelRowsLevel level);
// The loops of an available level, for tests and benchmarks (the loops of
// a level that is not available must not be called).
PixelRowLoops PixelRowLoopsAt(PixelRowsLevel level);
// The level CopyPixels and BlendPixels use.
PixelRowsLevel ActivePixelRowsLevel();
// "scalar", "sse2" or "avx2".
const char* PixelRowsLevelName(PixelRowsLevel level);

}  // namespace skyvault
