// The cost of one whole frame of the saver on the first-run scene: the frame
// handler, the aircraft schedule and the software compositor composing what
// they draw (text by the stand-in renderer).
#include <benchmark/benchmark.h>

#include <optional>
#include <string>

#include "bench/demo_scene.h"
#include "controls/compositor.h"
#include "controls/sound_control.h"
#include "controls/testing/memory_canvas_host.h"
#include "controls/testing/stand_in_text_renderer.h"
#include "display/saver_display.h"
#include "platform/testing/fake_platform_services.h"
#include "settings/memory_settings_store.h"
#include "settings/settings_schema.h"

namespace skyvault {
namespace {

// The saver's pictures, made up at their real sizes: the bridge 800 x 600,
// the aircraft about 260 x 90 with soft alpha edges.
class SaverPictures : public ImageDecoder {
 public:
  std::optional<DecodedImage> Decode(const std::string& path) override {
    if (path.ends_with("Bridge.bmp")) return demo_.Decode("sky");
    const auto plane = path.find("Plane");
    if (plane == std::string::npos) return std::nullopt;
    return demo_.Decode("aircraft" + path.substr(plane + 5, 2) + ":260x90");
  }

 private:
  DemoPictureDecoder demo_;
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

class NoHost : public DisplayHost {
 public:
  void UnloadOtherWindows() override {}
  void UnloadDisplayWindow() override {}
  void EndProgram() override {}
};

void BM_WholeFrameFirstRunScene(benchmark::State& run) {
  MemorySettingsStore settings;
  settings.Write(kStartup, keys::MessageChecked, "1");  // message and clock both drawn
  SaverPictures pictures;
  StandInTextRenderer text;
  MemoryCanvasHost canvas;
  Compositor drawing(pictures, text, canvas);
  Silent sound;
  FakePlatformServices platform;
  NoHost host;
  SaverDisplay form(settings, drawing, sound, platform, host);
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
BENCHMARK(BM_WholeFrameFirstRunScene)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace skyvault
