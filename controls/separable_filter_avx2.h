#pragma once
#include <cstddef>
#include <cstdint>

#include "controls/pixel_rows_avx2.h"

#ifdef SKYVAULT_PIXEL_ROWS_AVX2
namespace skyvault {

// The row filter's vertical pass with AVX2, thirty-two bytes at a time, for
// processors where ProcessorHasAvx2(): the weighted sum of `rowCount` rows
// from pixel `begin` on, each byte's sum shifted right by `shift` into
// `mixed`. Does the whole thirty-two bytes of [0, bytes) and returns where it
// stopped; the rest is left to the caller.
size_t MixRowsAvx2(const uint32_t* const* rows, const int16_t* weights, int rowCount, int begin,
                   size_t bytes, int shift, int16_t* mixed);

}  // namespace skyvault
#endif
