#pragma once
#include <cstdint>

namespace skyvault {

// Conversions between the colours the saver passes (red + 256 green +
// 65536 blue) and the canvas formats. 565 rounds each component to the
// nearest level; a 565 level expands back to 8 bits by repeating its high
// bits, so 0 stays 0 and the top level becomes 255.

constexpr int RedOf(int32_t colour) { return colour & 0xFF; }
constexpr int GreenOf(int32_t colour) { return (colour >> 8) & 0xFF; }
constexpr int BlueOf(int32_t colour) { return (colour >> 16) & 0xFF; }

constexpr uint16_t Pack565(int r, int g, int b) {
  return static_cast<uint16_t>((((r * 31 + 127) / 255) << 11) | (((g * 63 + 127) / 255) << 5) |
                               ((b * 31 + 127) / 255));
}
constexpr uint16_t ColourTo565(int32_t colour) {
  return Pack565(RedOf(colour), GreenOf(colour), BlueOf(colour));
}
constexpr uint32_t PackXrgb(int r, int g, int b) {
  return (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) |
         static_cast<uint32_t>(b);
}
constexpr uint32_t ColourToXrgb(int32_t colour) {
  return PackXrgb(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

constexpr int Red8Of565(uint16_t p) { return ((p >> 11) << 3) | (p >> 13); }
constexpr int Green8Of565(uint16_t p) { return (((p >> 5) & 0x3F) << 2) | ((p >> 9) & 0x3); }
constexpr int Blue8Of565(uint16_t p) { return ((p & 0x1F) << 3) | ((p >> 2) & 0x7); }
constexpr uint32_t XrgbOf565(uint16_t p) {
  return PackXrgb(Red8Of565(p), Green8Of565(p), Blue8Of565(p));
}

// The colour a canvas of `depth` bits actually shows for `colour`, again as
// red + 256 green + 65536 blue: what a font engine must be given so that its
// pixels match the compositor's.
constexpr int32_t ColourAsShown(int32_t colour, int depth) {
  if (depth != 16) return colour & 0xFFFFFF;
  const uint16_t p = ColourTo565(colour);
  return Red8Of565(p) + 256 * Green8Of565(p) + 65536 * Blue8Of565(p);
}

}  // namespace skyvault
