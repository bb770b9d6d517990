#include "controls/pixel_rows_avx2.h"

#ifdef SKYVAULT_PIXEL_ROWS_AVX2
#include <immintrin.h>

// Every function that touches a 32-byte register is compiled for AVX2 and
// inlined into the two loops, so that no such register is passed or spilled
// through the stack (64-bit Windows keeps the stack to 16 bytes only).
#define SKYVAULT_AVX2 __attribute__((target("avx2")))
#define SKYVAULT_AVX2_INLINE __attribute__((target("avx2"), always_inline)) inline

namespace skyvault {
namespace {

SKYVAULT_AVX2_INLINE __m256i Load(const uint32_t* p) {
  return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

SKYVAULT_AVX2_INLINE void Store(uint32_t* p, __m256i v) {
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v);
}

// Pixels 0..3 and second..second+3 in one register.
SKYVAULT_AVX2_INLINE __m256i LoadFourAndFour(const uint32_t* p, size_t second) {
  return _mm256_inserti128_si256(
      _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))),
      _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + second)), 1);
}

// A mask of the first `count` (below eight) of eight pixels.
SKYVAULT_AVX2_INLINE __m256i FirstPixels(size_t count) {
  return _mm256_cmpgt_epi32(_mm256_set1_epi32(static_cast<int>(count)),
                            _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
}

// Four pixels' channels as 16-bit lanes (two in each half of the register):
// colour + under * (255 - alpha) / 255.
SKYVAULT_AVX2_INLINE __m256i BlendWords(__m256i s, __m256i u) {
  // Each pixel's alpha (lane 3 of its four) in all four of its lanes.
  const __m256i spread =
      _mm256_setr_epi8(6, 7, 6, 7, 6, 7, 6, 7, 14, 15, 14, 15, 14, 15, 14, 15,  //
                       6, 7, 6, 7, 6, 7, 6, 7, 14, 15, 14, 15, 14, 15, 14, 15);
  const __m256i a = _mm256_shuffle_epi8(s, spread);
  __m256i t = _mm256_mullo_epi16(u, _mm256_sub_epi16(_mm256_set1_epi16(255), a));
  t = _mm256_add_epi16(t, _mm256_set1_epi16(127));
  // floor(t / 255) = floor(t * 0x8081 / 2^23), exact for every 16-bit t.
  t = _mm256_srli_epi16(_mm256_mulhi_epu16(t, _mm256_set1_epi16(static_cast<short>(0x8081))), 7);
  return _mm256_adds_epu16(s, t);
}

// Eight pixels; the packs undo the unpacks within each 16-byte half.
SKYVAULT_AVX2_INLINE __m256i Blend8(__m256i source, __m256i under) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i low =
      BlendWords(_mm256_unpacklo_epi8(source, zero), _mm256_unpacklo_epi8(under, zero));
  const __m256i high =
      BlendWords(_mm256_unpackhi_epi8(source, zero), _mm256_unpackhi_epi8(under, zero));
  return _mm256_and_si256(_mm256_packus_epi16(low, high), _mm256_set1_epi32(0x00FFFFFF));
}

}  // namespace

bool ProcessorHasAvx2() {
  // The compiler's check also asks the system whether it saves the 32-byte
  // registers (XGETBV), not only the processor.
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2");
}

SKYVAULT_AVX2 void CopyPixelsAvx2(uint32_t* out, const uint32_t* in, size_t count) {
  size_t i = 0;
  for (; i + 32 <= count; i += 32) {
    const __m256i a = Load(in + i), b = Load(in + i + 8);
    const __m256i c = Load(in + i + 16), d = Load(in + i + 24);
    Store(out + i, a);
    Store(out + i + 8, b);
    Store(out + i + 16, c);
    Store(out + i + 24, d);
  }
  for (; i + 8 <= count; i += 8) Store(out + i, Load(in + i));
  if (i == count) return;
  // The last one to seven pixels: the row's last eight stored again, over
  // pixels already copied; a shorter row as its first and its last four
  // (which may share pixels), or pixel by pixel.
  if (count >= 8) {
    Store(out + count - 8, Load(in + count - 8));
  } else if (count >= 4) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out),
                     _mm_loadu_si128(reinterpret_cast<const __m128i*>(in)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + count - 4),
                     _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + count - 4)));
  } else {
    for (; i < count; ++i) out[i] = in[i];
  }
}

SKYVAULT_AVX2 void BlendPixelsAvx2(uint32_t* out, const uint32_t* premultiplied, size_t count) {
  if (count < 4) {
    // One to three pixels: masked loads and stores touch no others.
    if (count == 0) return;
    const __m256i mask = FirstPixels(count);
    int* row = reinterpret_cast<int*>(out);
    const __m256i source = _mm256_maskload_epi32(reinterpret_cast<const int*>(premultiplied), mask);
    _mm256_maskstore_epi32(row, mask, Blend8(source, _mm256_maskload_epi32(row, mask)));
    return;
  }
  if (count < 8) {
    // The first four and the last four, which may share pixels.
    const __m256i blended =
        Blend8(LoadFourAndFour(premultiplied, count - 4), LoadFourAndFour(out, count - 4));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm256_castsi256_si128(blended));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + count - 4),
                     _mm256_extracti128_si256(blended, 1));
    return;
  }
  // The last eight pixels are blended first, from the canvas as it was, and
  // stored last, over pixels the loop has already blended the same way.
  const __m256i last = Blend8(Load(premultiplied + count - 8), Load(out + count - 8));
  for (size_t i = 0; i + 8 <= count; i += 8) {
    Store(out + i, Blend8(Load(premultiplied + i), Load(out + i)));
  }
  Store(out + count - 8, last);
}

}  // namespace skyvault
#endif
