#include "startup/linux/linux_services.h"

#include "settings/memory_settings_store.h"

namespace skyvault {
namespace {

// Plays nothing.
class SilentSoundControl : public SoundControl {
 public:
  int32_t LoadSound(const std::string&) override { return 0; }
  void SetSoundVolume(int32_t, int32_t) override {}
  void PlaySound(int32_t, int32_t, int32_t) override {}
  void SilenceSound(int32_t) override {}
  void StopSound(int32_t) override {}
  void StopAllSound() override {}
};

}  // namespace

// Until settings files and sound exist on Linux: every run starts from the
// first-run values, silently.
std::unique_ptr<SettingsStore> MakeSettingsStore(const std::vector<std::string>&) {
  return std::make_unique<MemorySettingsStore>();
}

std::unique_ptr<SoundControl> MakeSoundControl(bool) {
  return std::make_unique<SilentSoundControl>();
}

}  // namespace skyvault
