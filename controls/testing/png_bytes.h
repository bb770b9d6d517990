#pragma once
// PNG files made byte by byte (deflate blocks stored), for tests of a platform's decoder.
#include <algorithm>
#include <cstdint>
#include <vector>

namespace skyvault::testing {

using FileBytes = std::vector<uint8_t>;

inline void PutBigEndian32(FileBytes& b, uint32_t v) {
  for (int shift : {24, 16, 8, 0}) b.push_back(uint8_t(v >> shift));
}

// A chunk: length, type, data, and the CRC-32 of type and data.
inline void PutChunk(FileBytes& png, const char* type, const FileBytes& data) {
  PutBigEndian32(png, uint32_t(data.size()));
  const size_t start = png.size();
  png.insert(png.end(), type, type + 4);
  png.insert(png.end(), data.begin(), data.end());
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = start; i < png.size(); ++i) {
    crc ^= png[i];
    for (int k = 0; k < 8; ++k) crc = crc & 1 ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
  }
  PutBigEndian32(png, ~crc);
}

// A PNG whose header claims width x height (8-bit RGBA), with the zlib stream and the end chunk.
inline FileBytes PngWithData(uint32_t width, uint32_t height, const FileBytes& zlibStream) {
  FileBytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, header;
  PutBigEndian32(header, width);
  PutBigEndian32(header, height);
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter, progressive
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", zlibStream);
  PutChunk(png, "IEND", {});
  return png;
}

// An 8-bit RGBA PNG of one colour, 0xAARRGGBB with straight alpha.
inline FileBytes PngFile(int width, int height, uint32_t argb) {
  FileBytes raw;
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // no filter
    for (int x = 0; x < width; ++x)
      for (int shift : {16, 8, 0, 24}) raw.push_back(uint8_t(argb >> shift));
  }
  FileBytes zlib{0x78, 0x01};
  uint32_t a = 1, b = 0;
  for (size_t at = 0; at < raw.size(); at += 65535) {
    const size_t length = std::min<size_t>(65535, raw.size() - at);
    zlib.insert(zlib.end(), {uint8_t(at + length == raw.size()), uint8_t(length),
                             uint8_t(length >> 8), uint8_t(~length), uint8_t(~length >> 8)});
    zlib.insert(zlib.end(), raw.begin() + ptrdiff_t(at), raw.begin() + ptrdiff_t(at + length));
  }
  for (uint8_t v : raw) a = (a + v) % 65521, b = (b + a) % 65521;
  PutBigEndian32(zlib, b << 16 | a);
  return PngWithData(uint32_t(width), uint32_t(height), zlib);
}

}  // namespace skyvault::testing
