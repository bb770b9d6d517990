#pragma once
#include <cstdint>

namespace skyvault {

// What a platform's reader found out about a sound file before it loads
// the samples.
struct SoundFileFacts {
  int64_t fileBytes = 0;
  bool pcmWave = false;  // a RIFF WAVE file of integer PCM samples
  int channels = 0;
  int64_t samplesPerSecond = 0;
  int bitsPerSample = 0;
  int64_t frames = 0;     // whole sample frames as the data chunk's header claims them
  int64_t dataStart = 0;  // where in the file the samples begin
};

// Sound files above this size are refused before they are read.
inline constexpr int64_t kMaxSoundFileBytes = int64_t{16} << 20;

enum class SoundFileVerdict {
  Usable,
  TooLarge,    // over kMaxSoundFileBytes
  NotPcmWave,  // another container or compressed or floating-point samples
  Channels,    // neither mono nor stereo
  Bits,        // neither 8 nor 16 bits a sample
  Rate,        // below 100 or above 384000 samples a second
  Empty,       // not one whole sample frame in the file
};

// The one rule for the engine sound on every platform: a mono or stereo
// PCM wave with 8 or 16 bits a sample, 100 to 384000 samples a second, at
// least one sample frame, in a file of at most 16 MB. Anything else leaves
// the saver silent.
SoundFileVerdict CheckSoundFile(const SoundFileFacts& facts);

// The whole sample frames the file really holds: the header's claim, cut
// to the bytes between the start of the samples and the end of the file.
// A file cut short plays what it holds; a reader sizes its buffer by this,
// never by the claim.
int64_t HeldFrames(const SoundFileFacts& facts);

inline bool IsTooLargeSoundFile(int64_t fileBytes) { return fileBytes > kMaxSoundFileBytes; }

}  // namespace skyvault
