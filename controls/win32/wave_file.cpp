#include "controls/win32/wave_file.h"

#include "controls/sound_file_check.h"
#include "platform/win32/win32_headers.h"
// After windows.h:
#include <mmsystem.h>

namespace skyvault::win32 {
namespace {

class RiffFile {
 public:
  explicit RiffFile(const std::wstring& path) {
    std::wstring copy = path;  // the reader wants a writable name
    handle_ = mmioOpenW(copy.data(), nullptr, MMIO_READ | MMIO_ALLOCBUF | MMIO_DENYWRITE);
  }
  ~RiffFile() {
    if (handle_) mmioClose(handle_, 0);
  }
  HMMIO get() const { return handle_; }

 private:
  HMMIO handle_ = nullptr;
};

}  // namespace

std::optional<WaveSound> ReadWaveFile(const std::string& path) {
  if (path.empty()) return std::nullopt;
  SoundFileFacts facts;
  WIN32_FILE_ATTRIBUTE_DATA attributes{};
  if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &attributes) ||
      (attributes.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return std::nullopt;
  }
  facts.fileBytes = static_cast<int64_t>(attributes.nFileSizeHigh) << 32 | attributes.nFileSizeLow;
  if (IsTooLargeSoundFile(facts.fileBytes)) return std::nullopt;  // not even parsed
  RiffFile file(Widen(path));
  if (!file.get()) return std::nullopt;
  MMCKINFO riff{};
  riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
  if (mmioDescend(file.get(), &riff, nullptr, MMIO_FINDRIFF) != MMSYSERR_NOERROR) {
    return std::nullopt;
  }
  MMCKINFO format{};
  format.ckid = mmioFOURCC('f', 'm', 't', ' ');
  if (mmioDescend(file.get(), &format, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR ||
      format.cksize < 16) {
    return std::nullopt;
  }
  PCMWAVEFORMAT pcm{};
  if (mmioRead(file.get(), reinterpret_cast<HPSTR>(&pcm), sizeof pcm) != sizeof pcm) {
    return std::nullopt;
  }
  mmioAscend(file.get(), &format, 0);
  WaveSound sound;
  sound.channels = pcm.wf.nChannels;
  sound.samplesPerSecond = pcm.wf.nSamplesPerSec;
  sound.bitsPerSample = pcm.wBitsPerSample;
  MMCKINFO data{};
  data.ckid = mmioFOURCC('d', 'a', 't', 'a');
  if (mmioDescend(file.get(), &data, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR) {
    return std::nullopt;
  }
  facts.pcmWave = pcm.wf.wFormatTag == WAVE_FORMAT_PCM;
  facts.channels = sound.channels;
  facts.samplesPerSecond = sound.samplesPerSecond;
  facts.bitsPerSample = sound.bitsPerSample;
  facts.frames = sound.BlockAlign() ? data.cksize / sound.BlockAlign() : 0;
  facts.dataStart = data.dwDataOffset;
  if (CheckSoundFile(facts) != SoundFileVerdict::Usable) return std::nullopt;
  // The buffer holds what the file holds, never what the header claims.
  const LONG bytes = static_cast<LONG>(HeldFrames(facts) * sound.BlockAlign());
  sound.data.resize(static_cast<size_t>(bytes));
  if (mmioRead(file.get(), reinterpret_cast<HPSTR>(sound.data.data()), bytes) != bytes) {
    return std::nullopt;  // a read error
  }
  return sound;
}

}  // namespace skyvault::win32
