#pragma once
// Picture files made byte by byte, for tests that hand real files to a
// platform's decoder: PNG (stored, uncompressed deflate) and 24-bit BMP.
#include <array>
#include <cstdint>
#include <vector>

namespace skyvault::testing {

using FileBytes = std::vector<uint8_t>;

inline void PutBigEndian32(FileBytes& b, uint32_t v) {
  b.insert(b.end(), {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)});
}
inline void PutLittleEndian(FileBytes& b, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(uint8_t(v >> 8 * i));
}

inline uint32_t Crc32(const uint8_t* data, size_t size) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  uint32_t c = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) c = table[(c ^ data[i]) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

inline void PutChunk(FileBytes& png, const char* type, const FileBytes& data) {
  PutBigEndian32(png, uint32_t(data.size()));
  const size_t start = png.size();
  png.insert(png.end(), type, type + 4);
  png.insert(png.end(), data.begin(), data.end());
  PutBigEndian32(png, Crc32(png.data() + start, png.size() - start));
}

// A PNG whose header claims width x height (8-bit RGBA), followed by the
// zlib stream `pixelData` and the end chunk.
inline FileBytes PngWithData(uint32_t width, uint32_t height, const FileBytes& zlibStream) {
  FileBytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  FileBytes header;
  PutBigEndian32(header, width);
  PutBigEndian32(header, height);
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter, progressive
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", zlibStream);
  PutChunk(png, "IEND", {});
  return png;
}

// An 8-bit RGBA PNG of `argb` (0xAARRGGBB, straight alpha, rows from the
// top), its data stored without compression.
inline FileBytes PngFile(int width, int height, const std::vector<uint32_t>& argb) {
  FileBytes raw;
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // no filter
    for (int x = 0; x < width; ++x) {
      const uint32_t p = argb[size_t(y) * width + x];
      raw.insert(raw.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p), uint8_t(p >> 24)});
    }
  }
  FileBytes zlib{0x78, 0x01};
  for (size_t at = 0; at < raw.size() || at == 0; at += 65535) {
    const size_t length = std::min<size_t>(65535, raw.size() - at);
    zlib.push_back(at + length == raw.size() ? 1 : 0);
    PutLittleEndian(zlib, uint32_t(length), 2);
    PutLittleEndian(zlib, uint32_t(~length & 0xFFFF), 2);
    zlib.insert(zlib.end(), raw.begin() + ptrdiff_t(at), raw.begin() + ptrdiff_t(at + length));
    if (raw.empty()) break;
  }
  uint32_t a = 1, b = 0;
  for (uint8_t v : raw) a = (a + v) % 65521, b = (b + a) % 65521;
  PutBigEndian32(zlib, b << 16 | a);
  return PngWithData(uint32_t(width), uint32_t(height), zlib);
}

// A 24-bit BMP of `rgb` (0x..RRGGBB, rows from the top).
inline FileBytes BmpFile(int width, int height, const std::vector<uint32_t>& rgb) {
  const uint32_t stride = (uint32_t(width) * 3 + 3) / 4 * 4, size = stride * uint32_t(height);
  FileBytes b{'B', 'M'};
  PutLittleEndian(b, 54 + size, 4);
  PutLittleEndian(b, 0, 4);
  PutLittleEndian(b, 54, 4);
  for (uint32_t v : {40u, uint32_t(width), uint32_t(height)}) PutLittleEndian(b, v, 4);
  PutLittleEndian(b, 1, 2);
  PutLittleEndian(b, 24, 2);
  for (uint32_t v : {0u, size, 2835u, 2835u, 0u, 0u}) PutLittleEndian(b, v, 4);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) PutLittleEndian(b, rgb[size_t(y) * width + x], 3);
    b.resize(b.size() + (stride - uint32_t(width) * 3), 0);
  }
  return b;
}

}  // namespace skyvault::testing
