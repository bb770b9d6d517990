// Times how long the settings dialog takes to open (the font list, the
// loading from the registry, the first paint), over several runs.
// Not a test: prints each run and the median.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "dialogs/win32/setup_dialog.h"
#include "platform/testing/fake_platform_services.h"
#include "settings/settings_schema.h"
#include "settings/win32/registry_settings_store.h"

using namespace skyvault;
using namespace skyvault::win32;

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
  const std::wstring root = L"Software\\SkyvaultBench\\Dialog";
  RegDeleteTreeW(HKEY_CURRENT_USER, root.c_str());
  {
    RegistrySettingsStore store(root);
    WriteFirstRunValues(store, kDataPath);
  }
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    LARGE_INTEGER start{}, end{};
    QueryPerformanceCounter(&start);
    RegistrySettingsStore store(root);
    FakePlatformServices platform;
    SetupDialog dialog(GetModuleHandleW(nullptr), store, &platform);
    dialog.Create();
    UpdateWindow(dialog.hwnd());
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    QueryPerformanceCounter(&end);
    const double ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                      static_cast<double>(frequency.QuadPart);
    times.push_back(ms);
    std::printf("run %d: %.1f ms (%zu fonts listed)\n", run + 1, ms, dialog.logic().fonts().size());
  }
  RegDeleteTreeW(HKEY_CURRENT_USER, root.c_str());
  std::vector<double> sorted = times;
  std::sort(sorted.begin(), sorted.end());
  std::printf("first %.1f ms, median %.1f ms, worst %.1f ms over %d runs (goal 150 ms)\n",
              times.front(), sorted[sorted.size() / 2], sorted.back(), runs);
  return 0;
}
