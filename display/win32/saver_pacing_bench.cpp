// Frame pacing of the real display window: runs it over the whole virtual
// screen for a while (60 s unless a number of seconds is given) on the
// first-run settings, notes when each frame was shown, and prints the share
// of frame intervals within 16.7 +- 4 ms, the median and the 99th
// percentile. The settings live under a key of their own, removed after.
//
//   saver_pacing_bench.exe [seconds]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "display/win32/display_window.h"
#include "display/win32/timed_drawing_control.h"

namespace {

using skyvault::DrawingControl;
using skyvault::win32::DisplayWindow;
using skyvault::win32::DisplayWindowOptions;
using skyvault::win32::TimedDrawingControl;

constexpr wchar_t kBenchKey[] = L"Software\\Skyvault.PacingBench";
constexpr double kFrameMs = 1000.0 / 60.0;
constexpr double kToleranceMs = 4.0;

HWND benchWindow = nullptr;

void CALLBACK StopBench(HWND, UINT, UINT_PTR, DWORD) {
  if (benchWindow) PostMessageW(benchWindow, WM_CLOSE, 0, 0);
}

double Percentile(std::vector<double> sorted, double share) {
  if (sorted.empty()) return 0;
  const size_t index = std::min(sorted.size() - 1, static_cast<size_t>(share * sorted.size()));
  return sorted[index];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int seconds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 60;
  RegDeleteTreeW(HKEY_CURRENT_USER, kBenchKey);

  TimedDrawingControl* timed = nullptr;
  DisplayWindowOptions options;
  options.settingsKey = kBenchKey;
  options.wrapDrawing = [&](DrawingControl& inner) {
    auto control = std::make_unique<TimedDrawingControl>(inner, seconds * 80 + 100);
    timed = control.get();
    return control;
  };
  auto window = DisplayWindow::Create(GetModuleHandleW(nullptr), std::move(options));
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  window->ShowOver(RECT{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                        top + GetSystemMetrics(SM_CYVIRTUALSCREEN)});
  benchWindow = window->hwnd();
  SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000, StopBench);
  window->RunMessageLoop();
  RegDeleteTreeW(HKEY_CURRENT_USER, kBenchKey);
  RegDeleteKeyW(HKEY_CURRENT_USER, kBenchKey);

  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  const std::vector<int64_t>& shown = timed->shownAt();
  std::vector<double> intervals;
  for (size_t i = 1; i < shown.size(); ++i) {
    intervals.push_back((shown[i] - shown[i - 1]) * 1000.0 /
                        static_cast<double>(frequency.QuadPart));
  }
  const auto within = std::count_if(intervals.begin(), intervals.end(), [](double ms) {
    return ms >= kFrameMs - kToleranceMs && ms <= kFrameMs + kToleranceMs;
  });
  std::sort(intervals.begin(), intervals.end());
  const double share = intervals.empty() ? 0 : 100.0 * within / intervals.size();
  std::printf("frames %zu in %d s (%.1f per second)\n", shown.size(), seconds,
              shown.size() / static_cast<double>(seconds));
  std::printf("intervals within 16.7 +- 4 ms: %.2f %%\n", share);
  std::printf("median %.3f ms, p1 %.3f ms, p99 %.3f ms, longest %.3f ms\n",
              Percentile(intervals, 0.5), Percentile(intervals, 0.01), Percentile(intervals, 0.99),
              intervals.empty() ? 0.0 : intervals.back());
  return 0;
}
