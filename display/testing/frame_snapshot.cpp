#include "display/testing/frame_snapshot.h"

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "controls/compositor.h"
#include "controls/monitor_layout.h"
#include "controls/silent_sound_control.h"
#include "display/saver_display.h"
#include "platform/testing/fake_platform_services.h"
#include "settings/memory_settings_store.h"
#include "settings/settings_schema.h"

namespace skyvault {
namespace {

struct QuietHost : DisplayHost {
  void UnloadOtherWindows() override {}
  void UnloadDisplayWindow() override {}
  void EndProgram() override {}
};

bool WritePpm(const CanvasView& canvas, const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  std::fprintf(file, "P6\n%d %d\n255\n", canvas.width, canvas.height);
  std::vector<unsigned char> rgb(static_cast<size_t>(canvas.width) * 3);
  for (int y = 0; y < canvas.height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(canvas.Row(y));
    for (int x = 0; x < canvas.width; ++x) {
      rgb[x * 3] = static_cast<unsigned char>(row[x] >> 16);
      rgb[x * 3 + 1] = static_cast<unsigned char>(row[x] >> 8);
      rgb[x * 3 + 2] = static_cast<unsigned char>(row[x]);
    }
    std::fwrite(rgb.data(), 1, rgb.size(), file);
  }
  return std::fclose(file) == 0;
}

}  // namespace

int RunFrameSnapshot(int argc, char** argv, ImageDecoder& decoder, TextRenderer& text,
                     CanvasHost& host, double& scale) {
  std::vector<std::pair<std::string, std::string>> overrides;
  while (argc > 2 && std::string(argv[1]) == "--set") {
    const std::string setting = argv[2];
    const auto equals = setting.find('=');
    if (equals == std::string::npos) return 2;
    overrides.emplace_back(setting.substr(0, equals), setting.substr(equals + 1));
    argc -= 2;
    argv += 2;
  }
  int width = 0, height = 0;
  std::set<int> wanted;
  for (int i = 4; i < argc; ++i) wanted.insert(std::atoi(argv[i]));
  if (argc < 5 || std::sscanf(argv[2], "%dx%d", &width, &height) != 2 || *wanted.begin() < 1) {
    std::fprintf(stderr,
                 "usage: frame_snapshot [--set KEY=VALUE]... DATA_FOLDER WIDTHxHEIGHT "
                 "OUT_PREFIX FRAME...\n");
    return 2;
  }

  FakePlatformServices platform;
  platform.dataFolder = argv[1];
  if (platform.dataFolder.back() != '/' && platform.dataFolder.back() != '\\')
    platform.dataFolder += '/';
  platform.time = {12, 34, 56, 0};
  platform.randoms = {0.13, 0.71, 0.42, 0.05, 0.93, 0.38, 0.66, 0.21, 0.84, 0.57};
  MemorySettingsStore store;
  WriteFirstRunValues(store, platform.DataFolder());
  for (const auto& [key, value] : overrides) store.Write("Startup", key, value);
  scale = static_cast<double>(Letterbox(800, 600, {0, 0, width, height}).Width()) / 800;
  Compositor compositor(decoder, text, host);
  SilentSoundControl sound;
  QuietHost quiet;
  SaverDisplay display(store, compositor, sound, platform, quiet);
  display.Load();
  for (int frame = 1; frame <= *wanted.rbegin(); ++frame) {
    compositor.WaitForSharpPictures();  // the same pictures in every run
    platform.tick += frame % 3 == 0 ? 16 : 17;
    display.OnFrame();
    if (frame % 60 == 0) {
      platform.AdvanceSeconds(1);
      display.OnSoundTimer();
      display.OnPauseTimer();
    }
    const std::string path = std::string(argv[3]) + "-" + std::to_string(frame) + ".ppm";
    if (wanted.count(frame) && !WritePpm(compositor.canvas(), path)) return 1;
  }
  return 0;
}

}  // namespace skyvault
