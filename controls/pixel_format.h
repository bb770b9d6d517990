#pragma once
#include <cstdint>

namespace skyvault {

// Conversions between the colours the saver passes (red + 256 green +
// 65536 blue) and the canvas's 0x00RRGGBB pixels.

constexpr int RedOf(int32_t colour) { return colour & 0xFF; }
constexpr int GreenOf(int32_t colour) { return (colour >> 8) & 0xFF; }
constexpr int BlueOf(int32_t colour) { return (colour >> 16) & 0xFF; }

constexpr uint32_t PackXrgb(int r, int g, int b) {
  return (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) |
         static_cast<uint32_t>(b);
}
constexpr uint32_t ColourToXrgb(int32_t colour) {
  return PackXrgb(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

}  // namespace skyvault
