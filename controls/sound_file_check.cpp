#include "controls/sound_file_check.h"

namespace skyvault {

SoundFileVerdict CheckSoundFile(const SoundFileFacts& facts) {
  if (IsTooLargeSoundFile(facts.fileBytes)) return SoundFileVerdict::TooLarge;
  if (!facts.pcmWave) return SoundFileVerdict::NotPcmWave;
  if (facts.channels != 1 && facts.channels != 2) return SoundFileVerdict::Channels;
  if (facts.bitsPerSample != 8 && facts.bitsPerSample != 16) return SoundFileVerdict::Bits;
  if (facts.samplesPerSecond < 100 || facts.samplesPerSecond > 384000) {
    return SoundFileVerdict::Rate;
  }
  if (facts.frames < 1) return SoundFileVerdict::Empty;
  return SoundFileVerdict::Usable;
}

}  // namespace skyvault
