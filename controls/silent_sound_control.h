#pragma once
#include "controls/sound_control.h"

namespace skyvault {

// A sound control that opens no audio device and plays nothing: the
// preview pane's saver is silent. Every call is accepted and does nothing.
class SilentSoundControl final : public SoundControl {
 public:
  int32_t LoadSound(const std::string&) override { return 0; }
  void SetSoundVolume(int32_t, int32_t) override {}
  void PlaySound(int32_t, int32_t, int32_t) override {}
  void SilenceSound(int32_t) override {}
  void StopSound(int32_t) override {}
  void StopAllSound() override {}
};

}  // namespace skyvault
