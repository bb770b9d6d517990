// Wave files made byte by byte, for the sound readers' tests.
#pragma once
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace skyvault::testing {

struct WaveShape {
  int channels = 1;
  int bits = 16;
  int rate = 22050;
  int64_t frames = 2205;
  int format = 1;             // 1 PCM, 3 floating point
  int64_t declaredData = -1;  // the data chunk's size as written; -1: the real one
  double hertz = 440;         // a sine at half of full scale
};

inline void PutLittle(std::string& bytes, uint64_t value, int count) {
  for (int i = 0; i < count; ++i) bytes += static_cast<char>(value >> (8 * i) & 0xFF);
}

// The sample of channel 0 at `frame`, as a 16-bit value.
inline int16_t ToneSample(const WaveShape& shape, int64_t frame) {
  return int16_t(std::lround(
      16383 * std::sin(2 * 3.14159265358979 * shape.hertz * double(frame) / shape.rate)));
}

inline std::string WaveBytes(const WaveShape& shape) {
  const int bytesPerSample = shape.bits / 8;
  std::string data;
  for (int64_t f = 0; f < shape.frames; ++f) {
    const int16_t value = ToneSample(shape, f);
    for (int c = 0; c < shape.channels; ++c) {
      if (shape.bits == 8) {
        data += static_cast<char>(128 + value / 256);
      } else {  // 16 bits, or wider with the value in the top two bytes
        PutLittle(data, 0, bytesPerSample - 2);
        PutLittle(data, static_cast<uint16_t>(value), 2);
      }
    }
  }
  const uint64_t size = shape.declaredData >= 0 ? uint64_t(shape.declaredData) : data.size();
  const uint64_t frameBytes = uint64_t(shape.channels) * bytesPerSample;
  std::string b = "RIFF";
  PutLittle(b, 36 + size, 4);
  b += "WAVEfmt ";
  PutLittle(b, 16, 4);
  PutLittle(b, shape.format, 2);
  PutLittle(b, shape.channels, 2);
  PutLittle(b, shape.rate, 4);
  PutLittle(b, shape.rate * frameBytes, 4);
  PutLittle(b, frameBytes, 2);
  PutLittle(b, shape.bits, 2);
  b += "data";
  PutLittle(b, size, 4);
  return b + data;
}

}  // namespace skyvault::testing
