// The settings the display reads every frame (Message, MessageChecked,
// FontName), from skyvault.ini through the command line's overlay: as the
// store runs (the file looked at a few times a second) and with the file
// looked at on every read. And parsing a file of the largest size the
// store takes: 100,000 one-line keys, or 71,420 one-key sections.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "settings/ini_text.h"
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

void BM_ParseLargestFile(benchmark::State& state) {
  const bool sections = state.range(0) != 0;
  std::string text = sections ? "" : "[Startup]\n";
  for (int n = 0; n < (sections ? 71420 : 100000); ++n) {
    const std::string number = std::to_string(n);
    text += sections ? "[s" + number + "]\nk=1\n" : "k" + number + "=1\n";
  }
  for (auto _ : state) benchmark::DoNotOptimize(IniDocument::Parse(text).size());
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ParseLargestFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace skyvault
