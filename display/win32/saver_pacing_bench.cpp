// Frame pacing of the real display window: runs it over the whole virtual
// screen for a while (60 s unless a number of seconds is given) on the
// first-run settings, notes when each frame was shown, and prints the share
// of frame intervals within 16.7 +- 4 ms, the median and the 99th
// percentile. The settings live under a key of their own, removed after.
//
//   saver_pacing_bench.exe [seconds]
#include <algorithm>

#include "display/bench/frame_pacing.h"
#include "display/win32/display_window.h"

namespace {

using skyvault::DrawingControl;
using skyvault::TimedDrawingControl;
using skyvault::win32::DisplayWindow;
using skyvault::win32::DisplayWindowOptions;

constexpr wchar_t kBenchKey[] = L"Software\\Skyvault.PacingBench";

HWND benchWindow = nullptr;

void CALLBACK StopBench(HWND, UINT, UINT_PTR, DWORD) {
  if (benchWindow) PostMessageW(benchWindow, WM_CLOSE, 0, 0);
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
  skyvault::PrintFramePacing(timed->shownAt(), seconds);
  return 0;
}
