#pragma once
#include <cstdint>

namespace skyvault {

// A colour as the saver passes it: red + 256 green + 65536 blue.
using RgbColour = int32_t;
constexpr RgbColour Rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }

// Conversions between those colours and the canvas's 0x00RRGGBB pixels.

constexpr int RedOf(RgbColour colour) { return colour & 0xFF; }
constexpr int GreenOf(RgbColour colour) { return (colour >> 8) & 0xFF; }
constexpr int BlueOf(RgbColour colour) { return (colour >> 16) & 0xFF; }

constexpr uint32_t PackXrgb(int r, int g, int b) {
  return (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) |
         static_cast<uint32_t>(b);
}
constexpr uint32_t ColourToXrgb(RgbColour colour) {
  return PackXrgb(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

}  // namespace skyvault
