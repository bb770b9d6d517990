#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace skyvault::testing {

// Bytes of a file that a test makes up, and little-endian numbers for its headers.
using Bytes = std::vector<uint8_t>;
inline void Put16(Bytes& b, uint32_t v) { b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8)}); }
inline void Put32(Bytes& b, uint32_t v) { Put16(b, v & 0xFFFF), Put16(b, v >> 16); }
// And read back: the number at byte `at` (throws past the end).
inline uint16_t Get16(const Bytes& b, size_t at) { return uint16_t(b.at(at) | b.at(at + 1) << 8); }
inline uint32_t Get32(const Bytes& b, size_t at) {
  return Get16(b, at) | uint32_t{Get16(b, at + 2)} << 16;
}

}  // namespace skyvault::testing
