#include "controls/win32/wave_file.h"

#include "platform/win32/win32_headers.h"
// After windows.h:
#include <mmsystem.h>

namespace skyvault::win32 {
namespace {

constexpr uint32_t kMaxBytes = 256u << 20;

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
  if (pcm.wf.wFormatTag != WAVE_FORMAT_PCM || (sound.channels != 1 && sound.channels != 2) ||
      (sound.bitsPerSample != 8 && sound.bitsPerSample != 16) || sound.samplesPerSecond < 100 ||
      sound.samplesPerSecond > 384000) {
    return std::nullopt;
  }
  MMCKINFO data{};
  data.ckid = mmioFOURCC('d', 'a', 't', 'a');
  if (mmioDescend(file.get(), &data, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR ||
      data.cksize == 0 || data.cksize > kMaxBytes) {
    return std::nullopt;
  }
  sound.data.resize(data.cksize);
  if (mmioRead(file.get(), reinterpret_cast<HPSTR>(sound.data.data()),
               static_cast<LONG>(data.cksize)) != static_cast<LONG>(data.cksize)) {
    return std::nullopt;  // cut short
  }
  sound.data.resize(sound.data.size() / sound.BlockAlign() * sound.BlockAlign());
  if (sound.data.empty()) return std::nullopt;
  return sound;
}

}  // namespace skyvault::win32
