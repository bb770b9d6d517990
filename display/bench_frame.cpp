// The cost of one whole frame of the saver (frame handler, schedule and the
// drawing calls it makes) on the first-run scene. The drawing control here
// only keeps sprite positions, so what is measured is the display's own
// work; put the software compositor in its place to measure both.
#include <benchmark/benchmark.h>

#include <vector>

#include "controls/drawing_control.h"
#include "controls/sound_control.h"
#include "display/form1.h"
#include "platform/fake_platform_services.h"
#include "settings/memory_settings_store.h"
#include "settings/settings_schema.h"

namespace skyvault {
namespace {

class PositionsOnly : public DrawingControl {
 public:
  bool InitDisplay(int32_t, int32_t, int32_t, const std::string&) override { return true; }
  int32_t CreateSprite() override {
    positions_.push_back({0, 0});
    return static_cast<int32_t>(positions_.size());
  }
  void LoadSpriteBitmap(int32_t, int32_t, const std::string&, int32_t) override {}
  void SetSpriteX(int32_t s, int32_t x) override { At(s).x = x; }
  void SetSpriteY(int32_t s, int32_t y) override { At(s).y = y; }
  void MoveSpriteX(int32_t s, int32_t d) override { At(s).x += d; }
  void MoveSpriteY(int32_t s, int32_t d) override { At(s).y += d; }
  int32_t GetSpriteX(int32_t s) override { return At(s).x; }
  void ClearFrame(int32_t) override {}
  void DrawSprite(int32_t s) override { benchmark::DoNotOptimize(At(s)); }
  void SetTextFont(const std::string&, int32_t, int32_t, bool, bool, bool) override {}
  void DrawText(const std::string& text, int32_t, int32_t, int32_t) override {
    benchmark::DoNotOptimize(text.data());
  }
  void ShowFrame() override {}

 private:
  struct Position {
    int32_t x, y;
  };
  Position& At(int32_t sprite) {
    static Position nowhere;
    return sprite >= 1 && sprite <= static_cast<int32_t>(positions_.size()) ? positions_[sprite - 1]
                                                                             : nowhere;
  }
  std::vector<Position> positions_;
};

class Silent : public SoundControl {
 public:
  int32_t LoadSound(const std::string&) override { return 1; }
  void SetSoundVolume(int32_t, int32_t) override {}
  void PlaySound(int32_t, int32_t, int32_t) override {}
  void SilenceSound(int32_t) override {}
  void StopSound(int32_t) override {}
  void StopAllSound() override {}
};

class NoHost : public Form1Host {
 public:
  void UnloadOtherWindows() override {}
  void UnloadDisplayWindow() override {}
  void EndProgram() override {}
};

void BM_WholeFrameFirstRunScene(benchmark::State& run) {
  MemorySettingsStore settings;
  settings.Write(kStartup, keys::MessageChecked, "1");  // message and clock both drawn
  PositionsOnly drawing;
  Silent sound;
  FakePlatformServices platform;
  NoHost host;
  Form1 form(settings, drawing, sound, platform, host);
  form.Load();  // an empty store: the first-run values
  settings.Write(kStartup, keys::MessageChecked, "1");
  long long frame = 0;
  for (auto _ : run) {
    platform.tick += (++frame % 3 == 0) ? 16 : 17;
    form.OnFrame();
    if (frame % 60 == 0) {
      form.OnSoundTimer();
      form.OnPauseTimer();
    }
  }
  run.SetItemsProcessed(run.iterations());
}
BENCHMARK(BM_WholeFrameFirstRunScene);

}  // namespace
}  // namespace skyvault

BENCHMARK_MAIN();
