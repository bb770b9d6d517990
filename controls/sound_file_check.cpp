#include "controls/sound_file_check.h"

#include <algorithm>

namespace skyvault {

int64_t HeldFrames(const SoundFileFacts& facts) {
  if (facts.channels < 1 || facts.bitsPerSample < 8 || facts.frames < 1) return 0;
  const int64_t frameBytes = int64_t{facts.channels} * (facts.bitsPerSample / 8);
  const int64_t held = std::max<int64_t>(0, facts.fileBytes - facts.dataStart) / frameBytes;
  return std::min(facts.frames, held);
}

SoundFileVerdict CheckSoundFile(const SoundFileFacts& facts) {
  if (IsTooLargeSoundFile(facts.fileBytes)) return SoundFileVerdict::TooLarge;
  if (!facts.pcmWave) return SoundFileVerdict::NotPcmWave;
  if (facts.channels != 1 && facts.channels != 2) return SoundFileVerdict::Channels;
  if (facts.bitsPerSample != 8 && facts.bitsPerSample != 16) return SoundFileVerdict::Bits;
  if (facts.samplesPerSecond < 100 || facts.samplesPerSecond > 384000) {
    return SoundFileVerdict::Rate;
  }
  if (HeldFrames(facts) < 1) return SoundFileVerdict::Empty;
  return SoundFileVerdict::Usable;
}

}  // namespace skyvault
