#pragma once
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "controls/linux/sound_mixer.h"
#include "controls/linux/sound_player_lock.h"
#include "controls/sound_control.h"

struct _snd_pcm;

namespace skyvault {

// The sound control over ALSA. LoadSound reads a wave file (ReadSoundFile)
// and returns a handle from 1 up, or 0 when the file cannot be used or the
// control is muted; the calls behave as SoundMixer describes, and the
// volume is applied to the samples.
//
// A feeding thread mixes the playing sounds and writes them to the device,
// paced by the clock as well as by the device (so a device that swallows
// samples at any speed still hears them in real time), and recovers after
// an underrun or after the process was stopped and continued. The device
// is opened the first time something plays, and only by the process that
// holds the player lock (the others of the same display stay silent and
// try again once a second while they are asked to play). With no device,
// a device that fails, or `mute`, the control is silent and every call
// still works. ALSA's messages are kept off the terminal.
class AlsaSoundControl : public SoundControl {
 public:
  struct Options {
    bool mute = false;
    std::string device = "default";
    std::string lockPath;          // empty: this process plays without asking
    std::string lockFallbackPath;  // where the lock goes when lockPath cannot take it
  };
  enum class Output { Waiting, Player, NotPlayer, NoDevice, Muted };

  explicit AlsaSoundControl(Options options);
  ~AlsaSoundControl() override;
  AlsaSoundControl(const AlsaSoundControl&) = delete;
  AlsaSoundControl& operator=(const AlsaSoundControl&) = delete;

  int32_t LoadSound(const std::string& path) override;
  void SetSoundVolume(int32_t handle, int32_t volume) override;
  void PlaySound(int32_t handle, int32_t loop, int32_t position) override;
  void SilenceSound(int32_t handle) override;
  void StopSound(int32_t handle) override;
  void StopAllSound() override;

  Output output();
  bool IsPlaying(int32_t handle);
  int32_t Level(int32_t handle);

 private:
  void Feed();
  // Takes the player lock and opens the device, or says why not.
  Output OpenDevice(int channels, int rate);
  bool WriteBlock(const int16_t* samples, size_t frames, int channels);
  void CloseDevice();

  const Options options_;
  std::mutex mutex_;
  std::condition_variable wake_;
  SoundMixer mixer_;
  Output output_;
  bool stop_ = false;
  SoundPlayerLock lock_;
  _snd_pcm* device_ = nullptr;  // the feeding thread's alone
  std::thread feeder_;
};

}  // namespace skyvault
