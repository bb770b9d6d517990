#pragma once
#include <cstddef>
#include <cstdint>

// The row loops of pixel_rows.h with 32-byte AVX2 instructions. Their file is
// compiled for the builds' SSE2 base; only these functions use AVX2, so they
// may be called only where ProcessorHasAvx2() says so.
#if (defined(__GNUC__) || defined(__clang__)) && defined(__x86_64__)
#define SKYVAULT_PIXEL_ROWS_AVX2 1

namespace skyvault {

// AVX2 instructions, and the system keeping their registers across task
// switches.
bool ProcessorHasAvx2();
void CopyPixelsAvx2(uint32_t* out, const uint32_t* in, size_t count);
void BlendPixelsAvx2(uint32_t* out, const uint32_t* premultiplied, size_t count);

}  // namespace skyvault
#endif
