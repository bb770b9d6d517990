#pragma once
#include <algorithm>
#include <cstdint>

namespace skyvault {

// A looping sound that plays while it is asked for. The display asks for the
// engine in every frame in which the bomber flies level on screen; each
// request holds the sound for a quarter of a second. It fades in when it
// starts and, once the requests stop, fades out and stops where it stands,
// so the engine is heard while the bomber flies and neither clicks nor drones
// on through its pause. Levels are hundredths of a decibel, -10000 to 0.
class HeldSound {
 public:
  static constexpr uint64_t kHoldMs = 250;
  static constexpr uint32_t kTickMs = 40;  // how often Tick should run while held
  static constexpr int32_t kStep = 500;    // 5 dB a tick
  static constexpr int32_t kDepth = 3000;  // fades span 30 dB
  static constexpr int32_t kSilent = -10000;

  // A request at `now` (ms). `playing`: whether the sound is sounding now.
  void Request(uint64_t now, int32_t volume, bool playing) {
    if (!held_ || !playing) level_ = std::max(volume - kDepth, kSilent);
    held_ = true;
    heldUntil_ = now + kHoldMs;
  }
  // Moves the level one step towards the volume while held, or down once the
  // hold has run out; true when the sound should stop now.
  bool Tick(uint64_t now, int32_t volume) {
    if (!held_) return false;
    if (now <= heldUntil_) {
      level_ = std::min(volume, level_ + kStep);
      return false;
    }
    level_ -= kStep;
    if (level_ > volume - kDepth && level_ > kSilent) return false;
    Release(volume);
    return true;
  }
  // Not held any more (stopped, silenced): the level is the volume again.
  void Release(int32_t volume) {
    held_ = false;
    level_ = volume;
  }
  // A new volume: taken at once unless a fade-in is still on its way up.
  void VolumeChanged(int32_t volume) {
    if (!held_ || level_ > volume) level_ = volume;
  }

  bool held() const { return held_; }
  int32_t level() const { return level_; }

 private:
  bool held_ = false;
  uint64_t heldUntil_ = 0;
  int32_t level_ = 0;
};

}  // namespace skyvault
