#include "controls/linux/sound_file.h"

#include <fcntl.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include "controls/sound_file_check.h"

namespace skyvault {
namespace {

// The bits of a sample for the integer PCM encodings, 0 for any other.
int PcmBits(int format) {
  switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_PCM_S8:
      return 8;
    case SF_FORMAT_PCM_16:
      return 16;
    case SF_FORMAT_PCM_24:
      return 24;
    case SF_FORMAT_PCM_32:
      return 32;
    default:
      return 0;
  }
}

}  // namespace

std::optional<DecodedSound> ReadSoundFile(const std::string& path) {
  // Non-blocking, so that a named pipe in the file's place cannot stall us.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return std::nullopt;
  struct stat info {};
  SoundFileFacts facts;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || IsTooLargeSoundFile(info.st_size)) {
    close(fd);
    return std::nullopt;
  }
  facts.fileBytes = info.st_size;
  SF_INFO format{};
  SNDFILE* file = sf_open_fd(fd, SFM_READ, &format, SF_TRUE);  // closes fd, even on failure
  if (!file) return std::nullopt;
  const int bits = PcmBits(format.format);
  facts.pcmWave = (format.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_WAV && bits != 0;
  facts.channels = format.channels;
  facts.samplesPerSecond = format.samplerate;
  facts.bitsPerSample = bits;
  facts.frames = format.frames;  // libsndfile has already cut the claim to the file
  // Where the samples begin is libsndfile's to know: the whole file bounds them.
  facts.dataStart = 0;
  std::optional<DecodedSound> sound;
  if (CheckSoundFile(facts) == SoundFileVerdict::Usable) {
    sound.emplace();
    sound->channels = format.channels;
    sound->samplesPerSecond = format.samplerate;
    const sf_count_t frames = HeldFrames(facts);
    sound->samples.resize(static_cast<size_t>(frames) * static_cast<size_t>(format.channels));
    if (sf_readf_short(file, sound->samples.data(), frames) != frames) {
      sound.reset();  // a read error
    }
  }
  sf_close(file);
  return sound;
}

}  // namespace skyvault
