#include "controls/separable_filter.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "controls/separable_filter_avx2.h"

// SSE2 is part of every x86-64 processor; elsewhere the filter is plain C++.
#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define SKYVAULT_FILTER_SSE2 1
#else
#define SKYVAULT_FILTER_SSE2 0
#endif

namespace skyvault {
namespace {

static_assert(std::endian::native == std::endian::little,
              "pixels are filtered byte by byte: blue, green, red, alpha");

// The vertical pass keeps 6 fractional bits in 16-bit values: 255 becomes
// 16320, leaving room for a cubic's overshoot.
constexpr int kMixedShift = 8;    // 14 weight bits - 6 kept
constexpr int kFinishShift = 20;  // 14 weight bits + 6 kept

double Radius(FilterKernel kernel) { return kernel == FilterKernel::CatmullRom ? 2.0 : 1.0; }

double Weight(FilterKernel kernel, double x) {
  x = std::fabs(x);
  if (kernel == FilterKernel::Triangle) return x < 1.0 ? 1.0 - x : 0.0;
  if (x < 1.0) return (1.5 * x - 2.5) * x * x + 1.0;
  if (x < 2.0) return ((-0.5 * x + 2.5) * x - 4.0) * x + 2.0;
  return 0.0;
}

// One output position's weights before they are laid out: source pixels
// start .. start + weights.size() - 1.
struct PositionWeights {
  int start = 0;
  std::vector<int> weights;
};

// The weights of the output position centred at `centre`, folded into the
// source and rounded so that they sum to kFilterOne exactly: each weight is
// the rounded running total minus the one before, so no rounding error
// piles up on one pixel however many there are.
PositionWeights Position(int sourceSize, double centre, double widen, FilterKernel kernel) {
  const double reach = Radius(kernel) * widen;
  const auto lo = static_cast<int64_t>(std::floor(centre - 0.5 - reach));
  const auto hi = static_cast<int64_t>(std::ceil(centre - 0.5 + reach));
  const int start = static_cast<int>(std::clamp<int64_t>(lo, 0, sourceSize - 1));
  const int end = static_cast<int>(std::clamp<int64_t>(hi, 0, sourceSize - 1));
  std::vector<double> exact(static_cast<size_t>(end - start + 1), 0.0);
  double total = 0.0;
  for (int64_t j = lo; j <= hi; ++j) {
    const double w = Weight(kernel, (static_cast<double>(j) + 0.5 - centre) / widen);
    exact[static_cast<size_t>(std::clamp<int64_t>(j, start, end) - start)] += w;
    total += w;
  }
  PositionWeights p;
  if (!(total > 1e-9)) {  // nothing in reach: the nearest pixel
    p.start = static_cast<int>(std::clamp<double>(std::floor(centre), 0, sourceSize - 1));
    p.weights = {kFilterOne};
    return p;
  }
  p.weights.resize(exact.size());
  double running = 0.0;
  int64_t previous = 0;
  for (size_t k = 0; k < exact.size(); ++k) {
    running += exact[k] / total;
    const auto rounded =
        k + 1 == exact.size() ? int64_t{kFilterOne} : std::llround(running * kFilterOne);
    p.weights[k] = static_cast<int>(rounded - previous);
    previous = rounded;
  }
  // Only the pixels that count.
  size_t first = 0, last = p.weights.size();
  while (first + 1 < last && p.weights[first] == 0) ++first;
  while (last > first + 1 && p.weights[last - 1] == 0) --last;
  p.weights = std::vector<int>(p.weights.begin() + first, p.weights.begin() + last);
  p.start = start + static_cast<int>(first);
  return p;
}

inline int ClampInt(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

}  // namespace

std::pair<int, int> AxisTaps::SourcesOf(int from, int to) const {
  const auto [lowest, highest] = std::minmax_element(first.begin() + from, first.begin() + to);
  return {*lowest, *highest + count};
}

AxisTaps BuildAxisTaps(int sourceSize, double from, double to, int outputSize,
                       FilterKernel kernel) {
  AxisTaps taps;
  if (sourceSize <= 0 || outputSize <= 0 || !(to > from) || !std::isfinite(from) ||
      !std::isfinite(to)) {
    return taps;
  }
  const double step = (to - from) / outputSize;
  const double widen = std::max(step, 1.0);
  std::vector<PositionWeights> positions(static_cast<size_t>(outputSize));
  size_t count = 1;
  for (int i = 0; i < outputSize; ++i) {
    positions[i] = Position(sourceSize, from + (i + 0.5) * step, widen, kernel);
    count = std::max(count, positions[i].weights.size());
  }
  taps.count = static_cast<int>(count);
  taps.first.resize(positions.size());
  taps.weights.assign(positions.size() * count, 0);
  for (size_t i = 0; i < positions.size(); ++i) {
    const PositionWeights& p = positions[i];
    const int first = std::min(p.start, sourceSize - taps.count);
    taps.first[i] = first;
    for (size_t k = 0; k < p.weights.size(); ++k) {
      taps.weights[i * count + (p.start - first) + k] = static_cast<int16_t>(p.weights[k]);
    }
  }
  return taps;
}

namespace {

// Vertical pass: the weighted sum of the source rows, byte by byte, kept
// with 6 fractional bits.
// Bytes [from, bytes) of the rows from pixel `begin` on.
void MixRowsPlain(const uint32_t* const* rows, const int16_t* weights, int rowCount, int begin,
                  size_t from, size_t bytes, int16_t* mixed) {
  constexpr int kHalf = 1 << (kMixedShift - 1);
  for (size_t i = from; i < bytes; ++i) {
    int32_t sum = kHalf;
    for (int k = 0; k < rowCount; ++k) {
      sum += weights[k] * reinterpret_cast<const uint8_t*>(rows[k] + begin)[i];
    }
    mixed[i] = static_cast<int16_t>(ClampInt(sum >> kMixedShift, -32768, 32767));
  }
}

// Horizontal pass: the weighted sum along the mixed row, four channels at a
// time, brought back into range.
void SpreadPlain(const int16_t* mixed, int begin, const AxisTaps& columns, int outFrom, int outTo,
                 PixelRange range, uint32_t* out) {
  const int count = columns.count;
  constexpr int32_t kRound = 1 << (kFinishShift - 1);
  for (int x = outFrom; x < outTo; ++x) {
    const int16_t* p = mixed + static_cast<size_t>(columns.first[x] - begin) * 4;
    const int16_t* w = columns.weights.data() + static_cast<size_t>(x) * count;
    int32_t c0 = kRound, c1 = kRound, c2 = kRound, c3 = kRound;
    for (int k = 0; k < count; ++k, p += 4) {
      const int32_t wk = w[k];
      c0 += wk * p[0];
      c1 += wk * p[1];
      c2 += wk * p[2];
      c3 += wk * p[3];
    }
    int b = ClampInt(c0 >> kFinishShift, 0, 255), g = ClampInt(c1 >> kFinishShift, 0, 255);
    int r = ClampInt(c2 >> kFinishShift, 0, 255);
    uint32_t pixel = 0;
    if (range == PixelRange::Premultiplied) {
      const int a = ClampInt(c3 >> kFinishShift, 0, 255);
      b = std::min(b, a), g = std::min(g, a), r = std::min(r, a);
      pixel = static_cast<uint32_t>(a) << 24;
    }
    out[x - outFrom] = pixel | static_cast<uint32_t>(r) << 16 | static_cast<uint32_t>(g) << 8 |
                       static_cast<uint32_t>(b);
  }
}

#if SKYVAULT_FILTER_SSE2
// The same two passes with SSE2: pairs of rows (and pairs of pixels along
// the row) are multiplied and added by one _mm_madd_epi16, whose 32-bit sums
// are exactly those above; saturating packs do the clamping. The vertical
// pass does bytes [from, bytes), as MixRowsPlain.
void MixRowsSse2(const uint32_t* const* rows, const int16_t* weights, int rowCount, int begin,
                 size_t from, size_t bytes, int16_t* mixed) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i half = _mm_set1_epi32(1 << (kMixedShift - 1));
  size_t i = from;
  for (; i + 16 <= bytes; i += 16) {
    __m128i s0 = half, s1 = half, s2 = half, s3 = half;
    for (int k = 0; k < rowCount; k += 2) {
      const int next = k + 1 < rowCount ? k + 1 : k;
      const int16_t w1 = k + 1 < rowCount ? weights[k + 1] : 0;
      const __m128i w = _mm_set1_epi32(
          static_cast<int32_t>(static_cast<uint16_t>(weights[k]) |
                               static_cast<uint32_t>(static_cast<uint16_t>(w1)) << 16));
      const __m128i a = _mm_loadu_si128(
          reinterpret_cast<const __m128i*>(reinterpret_cast<const uint8_t*>(rows[k] + begin) + i));
      const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(
          reinterpret_cast<const uint8_t*>(rows[next] + begin) + i));
      const __m128i aLow = _mm_unpacklo_epi8(a, zero), aHigh = _mm_unpackhi_epi8(a, zero);
      const __m128i bLow = _mm_unpacklo_epi8(b, zero), bHigh = _mm_unpackhi_epi8(b, zero);
      s0 = _mm_add_epi32(s0, _mm_madd_epi16(_mm_unpacklo_epi16(aLow, bLow), w));
      s1 = _mm_add_epi32(s1, _mm_madd_epi16(_mm_unpackhi_epi16(aLow, bLow), w));
      s2 = _mm_add_epi32(s2, _mm_madd_epi16(_mm_unpacklo_epi16(aHigh, bHigh), w));
      s3 = _mm_add_epi32(s3, _mm_madd_epi16(_mm_unpackhi_epi16(aHigh, bHigh), w));
    }
    auto* to = reinterpret_cast<__m128i*>(mixed + i);
    _mm_storeu_si128(
        to, _mm_packs_epi32(_mm_srai_epi32(s0, kMixedShift), _mm_srai_epi32(s1, kMixedShift)));
    _mm_storeu_si128(
        to + 1, _mm_packs_epi32(_mm_srai_epi32(s2, kMixedShift), _mm_srai_epi32(s3, kMixedShift)));
  }
  MixRowsPlain(rows, weights, rowCount, begin, i, bytes, mixed);  // the last pixels
}

void SpreadSse2(const int16_t* mixed, int begin, const AxisTaps& columns, int outFrom, int outTo,
                PixelRange range, uint32_t* out) {
  const int count = columns.count;
  const __m128i round = _mm_set1_epi32(1 << (kFinishShift - 1));
  const __m128i zero = _mm_setzero_si128();
  const bool premultiplied = range == PixelRange::Premultiplied;
  for (int x = outFrom; x < outTo; ++x) {
    const int16_t* p = mixed + static_cast<size_t>(columns.first[x] - begin) * 4;
    const int16_t* w = columns.weights.data() + static_cast<size_t>(x) * count;
    __m128i sum = round;
    int k = 0;
    for (; k + 2 <= count; k += 2, p += 8) {
      int32_t pair;
      std::memcpy(&pair, w + k, sizeof pair);
      const __m128i two = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
      const __m128i byChannel = _mm_unpacklo_epi16(two, _mm_srli_si128(two, 8));
      sum = _mm_add_epi32(sum, _mm_madd_epi16(byChannel, _mm_set1_epi32(pair)));
    }
    if (k < count) {
      const __m128i one = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
      sum = _mm_add_epi32(sum, _mm_madd_epi16(_mm_unpacklo_epi16(one, zero),
                                              _mm_set1_epi32(static_cast<uint16_t>(w[k]))));
    }
    const __m128i words = _mm_packs_epi32(_mm_srai_epi32(sum, kFinishShift), zero);
    uint32_t pixel = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(words, zero)));
    if (premultiplied) {
      const __m128i alpha = _mm_cvtsi32_si128(static_cast<int>((pixel >> 24) * 0x01010101u));
      pixel = static_cast<uint32_t>(
          _mm_cvtsi128_si32(_mm_min_epu8(_mm_cvtsi32_si128(static_cast<int>(pixel)), alpha)));
    } else {
      pixel &= 0xFFFFFF;
    }
    out[x - outFrom] = pixel;
  }
}
#endif

}  // namespace

void RowFilter::FilterRow(const uint32_t* const* rows, const int16_t* rowWeights, int rowCount,
                          const AxisTaps& columns, int outFrom, int outTo, PixelRange range,
                          uint32_t* out) {
  if (outFrom >= outTo || rowCount <= 0) return;
  const auto [begin, end] = columns.SourcesOf(outFrom, outTo);
  const size_t bytes = static_cast<size_t>(end - begin) * 4;
  mixed_.resize(bytes);
#if SKYVAULT_FILTER_SSE2
  if (level_ != PixelRowsLevel::Scalar) {
    size_t from = 0;
#ifdef SKYVAULT_PIXEL_ROWS_AVX2
    if (level_ == PixelRowsLevel::Avx2) {
      from = MixRowsAvx2(rows, rowWeights, rowCount, begin, bytes, kMixedShift, mixed_.data());
    }
#endif
    MixRowsSse2(rows, rowWeights, rowCount, begin, from, bytes, mixed_.data());
    SpreadSse2(mixed_.data(), begin, columns, outFrom, outTo, range, out);
    return;
  }
#endif
  MixRowsPlain(rows, rowWeights, rowCount, begin, 0, bytes, mixed_.data());
  SpreadPlain(mixed_.data(), begin, columns, outFrom, outTo, range, out);
}

}  // namespace skyvault
