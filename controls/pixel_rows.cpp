#include "controls/pixel_rows.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "controls/pixel_rows_avx2.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define SKYVAULT_PIXEL_ROWS_SSE2 1
#endif

namespace skyvault {
namespace {

int Channel(uint32_t pixel, int shift) { return static_cast<int>((pixel >> shift) & 0xFF); }

int Over(int source, int under, int alpha) {
  return std::min(255, source + (under * (255 - alpha) + 127) / 255);
}

void CopyPixelsScalar(uint32_t* out, const uint32_t* in, size_t count) {
  std::memcpy(out, in, count * sizeof(uint32_t));
}

void BlendPixelsScalar(uint32_t* out, const uint32_t* premultiplied, size_t count) {
  for (size_t i = 0; i < count; ++i) out[i] = BlendXrgb(premultiplied[i], out[i]);
}

#ifdef SKYVAULT_PIXEL_ROWS_SSE2
// Two pixels' channels as 16-bit lanes: colour + under * (255 - alpha) / 255.
__m128i BlendHalf(__m128i source, __m128i under) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i s = _mm_unpacklo_epi8(source, zero);
  const __m128i u = _mm_unpacklo_epi8(under, zero);
  // Each pixel's alpha in all four of its lanes.
  __m128i a = _mm_shufflelo_epi16(s, _MM_SHUFFLE(3, 3, 3, 3));
  a = _mm_shufflehi_epi16(a, _MM_SHUFFLE(3, 3, 3, 3));
  __m128i t = _mm_mullo_epi16(u, _mm_sub_epi16(_mm_set1_epi16(255), a));
  t = _mm_add_epi16(t, _mm_set1_epi16(127));
  // floor(t / 255), exact for t below 65535.
  t = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(t, _mm_set1_epi16(1)), _mm_srli_epi16(t, 8)), 8);
  return _mm_adds_epu16(s, t);
}

void CopyPixelsSse2(uint32_t* out, const uint32_t* in, size_t count) {
  size_t i = 0;
  for (; i + 16 <= count; i += 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i + 4));
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i + 8));
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i + 12));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), a);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 4), b);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 8), c);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 12), d);
  }
  for (; i + 4 <= count; i += 4) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i),
                     _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i)));
  }
  for (; i < count; ++i) out[i] = in[i];
}

void BlendPixelsSse2(uint32_t* out, const uint32_t* premultiplied, size_t count) {
  size_t i = 0;
  const __m128i colours = _mm_set1_epi32(0x00FFFFFF);
  for (; i + 4 <= count; i += 4) {
    const __m128i source = _mm_loadu_si128(reinterpret_cast<const __m128i*>(premultiplied + i));
    const __m128i under = _mm_loadu_si128(reinterpret_cast<const __m128i*>(out + i));
    const __m128i low = BlendHalf(source, under);
    const __m128i high =
        BlendHalf(_mm_unpackhi_epi64(source, source), _mm_unpackhi_epi64(under, under));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i),
                     _mm_and_si128(_mm_packus_epi16(low, high), colours));
  }
  for (; i < count; ++i) out[i] = BlendXrgb(premultiplied[i], out[i]);
}
#endif

// The widest level available, or the one SKYVAULT_PIXEL_ROWS names.
PixelRowsLevel ChooseLevel() {
  PixelRowsLevel widest = PixelRowsLevel::Scalar;
  for (PixelRowsLevel level : {PixelRowsLevel::Sse2, PixelRowsLevel::Avx2}) {
    if (PixelRowsLevelAvailable(level)) widest = level;
  }
  const char* asked = std::getenv("SKYVAULT_PIXEL_ROWS");
  if (asked == nullptr) return widest;
  for (PixelRowsLevel level :
       {PixelRowsLevel::Scalar, PixelRowsLevel::Sse2, PixelRowsLevel::Avx2}) {
    if (std::strcmp(asked, PixelRowsLevelName(level)) == 0 && PixelRowsLevelAvailable(level)) {
      return level;
    }
  }
  return widest;
}

struct ActiveLoops {
  PixelRowsLevel level;
  PixelRowLoops loops;
};

const ActiveLoops& Active() {
  static const ActiveLoops active = [] {
    const PixelRowsLevel level = ChooseLevel();
    return ActiveLoops{level, PixelRowLoopsAt(level)};
  }();
  return active;
}

}  // namespace

uint32_t BlendXrgb(uint32_t source, uint32_t under) {
  const int a = Channel(source, 24);
  return static_cast<uint32_t>(Over(Channel(source, 16), Channel(under, 16), a)) << 16 |
         static_cast<uint32_t>(Over(Channel(source, 8), Channel(under, 8), a)) << 8 |
         static_cast<uint32_t>(Over(Channel(source, 0), Channel(under, 0), a));
}

void CopyPixels(uint32_t* out, const uint32_t* in, size_t count) {
  Active().loops.copy(out, in, count);
}

void BlendPixels(uint32_t* out, const uint32_t* premultiplied, size_t count) {
  Active().loops.blend(out, premultiplied, count);
}

bool PixelRowsLevelAvailable(PixelRowsLevel level) {
  switch (level) {
    case PixelRowsLevel::Scalar:
      return true;
    case PixelRowsLevel::Sse2:
#ifdef SKYVAULT_PIXEL_ROWS_SSE2
      return true;
#else
      return false;
#endif
    case PixelRowsLevel::Avx2:
#ifdef SKYVAULT_PIXEL_ROWS_AVX2
      return ProcessorHasAvx2();
#else
      return false;
#endif
  }
  return false;
}

PixelRowLoops PixelRowLoopsAt(PixelRowsLevel level) {
  switch (level) {
#ifdef SKYVAULT_PIXEL_ROWS_AVX2
    case PixelRowsLevel::Avx2:
      return {CopyPixelsAvx2, BlendPixelsAvx2};
#endif
#ifdef SKYVAULT_PIXEL_ROWS_SSE2
    case PixelRowsLevel::Sse2:
      return {CopyPixelsSse2, BlendPixelsSse2};
#endif
    default:
      return {CopyPixelsScalar, BlendPixelsScalar};
  }
}

PixelRowsLevel ActivePixelRowsLevel() { return Active().level; }

const char* PixelRowsLevelName(PixelRowsLevel level) {
  switch (level) {
    case PixelRowsLevel::Scalar:
      return "scalar";
    case PixelRowsLevel::Sse2:
      return "sse2";
    case PixelRowsLevel::Avx2:
      return "avx2";
  }
  return "";
}

}  // namespace skyvault
