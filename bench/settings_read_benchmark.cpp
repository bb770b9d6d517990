// The settings the display reads every frame (Message, MessageChecked,
// FontName), from skyvault.ini through the command line's overlay: as the
// store runs (the file looked at a few times a second) and with the file
// looked at on every read.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "settings/linux/ini_settings_store.h"
#include "settings/overlay_settings_store.h"
#include "settings/settings_schema.h"

namespace skyvault {
namespace {

void FrameReads(benchmark::State& state, std::chrono::milliseconds recheck) {
  std::string pattern = (std::filesystem::temp_directory_path() / "skyvault-bench-XXXXXX").string();
  const std::string folder = mkdtemp(pattern.data());
  {
    IniSettingsStore file(folder + "/skyvault.ini");
    WriteFirstRunValues(file, "/usr/share/skyvault/");
  }
  OverlaySettingsStore store(std::make_unique<IniSettingsStore>(folder + "/skyvault.ini", recheck),
                             {{kStartup, keys::Speed, "9"}});
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReadSetting(store, kStartup, keys::Message));
    benchmark::DoNotOptimize(ReadSetting(store, kStartup, keys::MessageChecked));
    benchmark::DoNotOptimize(ReadSetting(store, kStartup, keys::FontName));
  }
  std::filesystem::remove_all(folder);
}

void BM_FrameSettingsReads(benchmark::State& state) {
  FrameReads(state, std::chrono::milliseconds(250));
}
void BM_FrameSettingsReadsLookingAtTheFileEachTime(benchmark::State& state) {
  FrameReads(state, std::chrono::milliseconds(0));
}
BENCHMARK(BM_FrameSettingsReads);
BENCHMARK(BM_FrameSettingsReadsLookingAtTheFileEachTime);

}  // namespace
}  // namespace skyvault
