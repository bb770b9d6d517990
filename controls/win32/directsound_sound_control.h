#pragma once
#include <cstdint>
#include <map>
#include <string>

#include "controls/held_sound.h"
#include "controls/sound_control.h"
#include "platform/win32/com_ptr.h"
#include "platform/win32/win32_headers.h"

struct IDirectSound8;
struct IDirectSoundBuffer;

namespace skyvault::win32 {

// The sound control over DirectSound. LoadSound reads a PCM wave file (8 or
// 16 bits, mono or stereo, any rate) and returns a handle from 1 up, or 0
// when there is no audio device or the file is missing, truncated or not a
// PCM wave; every call accepts every handle and does nothing for one that
// names no sound.
//
// PlaySound(handle, loop, position): loop 0 plays once, a positive value
// loops, a negative one (the saver's -1) loops while it is asked for (see
// HeldSound: a thread timer fades it in and, when the requests stop, out);
// position -1 plays on from where the sound stands, 0 or more starts at that
// sample frame. A sound that is playing keeps playing without a restart.
// SilenceSound stops it where it stands; StopSound stops it and rewinds.
class DirectSoundSoundControl : public SoundControl {
 public:
  enum class Device { Default, None };
  // `window` is the window whose activity DirectSound follows.
  explicit DirectSoundSoundControl(HWND window, Device device = Device::Default);
  ~DirectSoundSoundControl() override;
  DirectSoundSoundControl(const DirectSoundSoundControl&) = delete;
  DirectSoundSoundControl& operator=(const DirectSoundSoundControl&) = delete;

  int32_t LoadSound(const std::string& path) override;
  void SetSoundVolume(int32_t handle, int32_t volume) override;
  void PlaySound(int32_t handle, int32_t loop, int32_t position) override;
  void SilenceSound(int32_t handle) override;
  void StopSound(int32_t handle) override;
  void StopAllSound() override;

  bool HasDevice() const { return device_ != nullptr; }
  bool IsPlaying(int32_t handle);
  // The play position in bytes, -1 for no sound.
  int64_t PlayPosition(int32_t handle);
  // The buffer's volume, -10000 for no sound.
  int32_t Volume(int32_t handle);

 private:
  struct Sound {
    ComPtr<IDirectSoundBuffer> buffer;
    uint32_t blockAlign = 1;
    uint32_t bytes = 0;
    int32_t volume = 0;   // as set
    int32_t applied = 0;  // as the buffer has it
    HeldSound hold;
  };
  Sound* Find(int32_t handle);
  void Apply(Sound& sound);
  void StartTicking();
  void StopTicking();
  void Tick();
  static void CALLBACK OnTick(HWND, UINT, UINT_PTR timer, DWORD);

  HMODULE library_ = nullptr;
  IDirectSound8* device_ = nullptr;
  std::map<int32_t, Sound> sounds_;
  int32_t nextHandle_ = 1;
  UINT_PTR timer_ = 0;
};

}  // namespace skyvault::win32
