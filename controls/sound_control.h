#pragma once
#include <cstdint>
#include <string>

namespace skyvault {

// The engine sound. Handles are what LoadSound returned; every call accepts
// any handle, and with no audio device or a bad file every call does nothing.
class SoundControl {
 public:
  virtual ~SoundControl() = default;
  virtual int32_t LoadSound(const std::string& path) = 0;
  // Volume in hundredths of a decibel, -10000 (silent) to 0 (full).
  virtual void SetSoundVolume(int32_t handle, int32_t volume) = 0;
  // (handle, -1, -1): play looping; a call while it plays keeps it playing.
  virtual void PlaySound(int32_t handle, int32_t loop, int32_t position) = 0;
  virtual void SilenceSound(int32_t handle) = 0;
  virtual void StopSound(int32_t handle) = 0;
  virtual void StopAllSound() = 0;
};

}  // namespace skyvault
