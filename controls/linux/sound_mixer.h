#pragma once
#include <cstdint>
#include <map>
#include <vector>

#include "controls/held_sound.h"
#include "controls/linux/sound_file.h"

namespace skyvault {

// The sounds of the sound control and what they play, mixed into one
// stream of 16-bit samples. The stream takes the channels and rate of the
// first sound added; later sounds are converted to them. Handles count from
// 1; every call accepts any handle and does nothing for one that names no
// sound. Not thread-safe: the sound control guards it.
//
// Play(handle, loop, position): loop 0 plays once, a positive value loops, a
// negative one (the saver's -1) loops while it is asked for (HeldSound:
// Tick fades it in and, when the requests stop, out); position -1 plays on
// from where the sound stands, 0 or more starts at that sample frame. A
// sound that is playing keeps playing without a restart. Silence stops it
// where it stands; Stop stops it and rewinds.
class SoundMixer {
 public:
  int32_t Add(const DecodedSound& sound);
  int channels() const { return channels_; }
  int samplesPerSecond() const { return rate_; }

  // Volume in hundredths of a decibel, -10000 (silent) to 0 (full).
  void SetVolume(int32_t handle, int32_t volume);
  void Play(int32_t handle, int32_t loop, int32_t position, uint64_t nowMs);
  void Silence(int32_t handle);
  void Stop(int32_t handle);
  void StopAll();

  // Moves the held sounds' fades on, once per HeldSound::kTickMs.
  void Tick(uint64_t nowMs);
  // The next `frames` sample frames of the stream into `out`.
  void Mix(int16_t* out, size_t frames);

  bool AnyPlaying() const;
  bool IsPlaying(int32_t handle) const;
  // The level the sound plays at now, -10000 for no sound.
  int32_t Level(int32_t handle) const;
  // The next sample frame to play, -1 for no sound.
  int64_t Position(int32_t handle) const;

 private:
  struct Sound {
    std::vector<int16_t> samples;  // in the stream's channels and rate
    size_t frames = 0;
    size_t position = 0;
    bool playing = false;
    int32_t loop = 0;
    int32_t volume = 0;
    HeldSound hold;
    float gain = -1;  // the gain the last mix ended on; -1 before the first
  };
  Sound* Find(int32_t handle);
  const Sound* Find(int32_t handle) const;
  std::vector<int16_t> Convert(const DecodedSound& sound) const;

  std::map<int32_t, Sound> sounds_;
  int32_t nextHandle_ = 1;
  int channels_ = 0;
  int rate_ = 0;
  uint64_t lastTick_ = 0;
  std::vector<int32_t> sum_;
};

}  // namespace skyvault
