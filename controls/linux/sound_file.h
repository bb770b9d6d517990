#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace skyvault {

// A sound's samples as 16-bit integers, the channels interleaved.
struct DecodedSound {
  int channels = 0;
  int samplesPerSecond = 0;
  std::vector<int16_t> samples;
  size_t frames() const { return channels ? samples.size() / static_cast<size_t>(channels) : 0; }
};

// Reads a wave file with libsndfile. Nothing when the file is missing, not
// a regular file, unreadable or refused by the sound-file check
// (controls/sound_file_check.h); a file over the size limit is not parsed.
// A file cut short gives the samples it holds.
std::optional<DecodedSound> ReadSoundFile(const std::string& path);

}  // namespace skyvault
