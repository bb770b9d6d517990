#include "controls/separable_filter_avx2.h"

#ifdef SKYVAULT_PIXEL_ROWS_AVX2
#include <immintrin.h>

namespace skyvault {

// The same sums as the SSE2 pass: pairs of rows multiplied and added by one
// _mm256_madd_epi16, saturating packs. Unpacks and packs work within each
// 16-byte half, so the halves are put back in order before they are stored.
// No 32-byte register goes through the stack (see pixel_rows_avx2.cpp).
__attribute__((target("avx2"))) size_t MixRowsAvx2(const uint32_t* const* rows,
                                                   const int16_t* weights, int rowCount, int begin,
                                                   size_t bytes, int shift, int16_t* mixed) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i half = _mm256_set1_epi32(1 << (shift - 1));
  const __m128i by = _mm_cvtsi32_si128(shift);
  size_t i = 0;
  for (; i + 32 <= bytes; i += 32) {
    __m256i s0 = half, s1 = half, s2 = half, s3 = half;
    for (int k = 0; k < rowCount; k += 2) {
      const int next = k + 1 < rowCount ? k + 1 : k;
      const int16_t w1 = k + 1 < rowCount ? weights[k + 1] : 0;
      const __m256i w = _mm256_set1_epi32(
          static_cast<int32_t>(static_cast<uint16_t>(weights[k]) |
                               static_cast<uint32_t>(static_cast<uint16_t>(w1)) << 16));
      const __m256i a = _mm256_loadu_si256(
          reinterpret_cast<const __m256i*>(reinterpret_cast<const uint8_t*>(rows[k] + begin) + i));
      const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(
          reinterpret_cast<const uint8_t*>(rows[next] + begin) + i));
      const __m256i aLow = _mm256_unpacklo_epi8(a, zero), aHigh = _mm256_unpackhi_epi8(a, zero);
      const __m256i bLow = _mm256_unpacklo_epi8(b, zero), bHigh = _mm256_unpackhi_epi8(b, zero);
      s0 = _mm256_add_epi32(s0, _mm256_madd_epi16(_mm256_unpacklo_epi16(aLow, bLow), w));
      s1 = _mm256_add_epi32(s1, _mm256_madd_epi16(_mm256_unpackhi_epi16(aLow, bLow), w));
      s2 = _mm256_add_epi32(s2, _mm256_madd_epi16(_mm256_unpacklo_epi16(aHigh, bHigh), w));
      s3 = _mm256_add_epi32(s3, _mm256_madd_epi16(_mm256_unpackhi_epi16(aHigh, bHigh), w));
    }
    // Bytes 0-7 and 16-23, then 8-15 and 24-31.
    const __m256i low = _mm256_packs_epi32(_mm256_sra_epi32(s0, by), _mm256_sra_epi32(s1, by));
    const __m256i high = _mm256_packs_epi32(_mm256_sra_epi32(s2, by), _mm256_sra_epi32(s3, by));
    auto* to = reinterpret_cast<__m256i*>(mixed + i);
    _mm256_storeu_si256(to, _mm256_permute2x128_si256(low, high, 0x20));
    _mm256_storeu_si256(to + 1, _mm256_permute2x128_si256(low, high, 0x31));
  }
  return i;
}

}  // namespace skyvault
#endif
