#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace skyvault::win32 {

// A PCM wave file's format and samples.
struct WaveSound {
  uint16_t channels = 0;
  uint32_t samplesPerSecond = 0;
  uint16_t bitsPerSample = 0;
  std::vector<uint8_t> data;  // whole sample frames only
  uint16_t BlockAlign() const { return static_cast<uint16_t>(channels * bitsPerSample / 8); }
};

// Reads a RIFF WAVE file with the system's RIFF reader; nothing unless its
// header is whole and it passes the sound-file check
// (controls/sound_file_check.h: PCM, 8 or 16 bits, mono or stereo, at least
// one sample, at most 16 MB). A file cut short gives the samples it holds.
std::optional<WaveSound> ReadWaveFile(const std::string& path);

}  // namespace skyvault::win32
