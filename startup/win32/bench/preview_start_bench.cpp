// How soon the preview shows its first picture in a pane of the Screen
// Saver Settings' size (152 x 112), against a bare child window made the
// same way, in the same run, rounds alternating: from the program's start
// until its child window is shown and painted (no update region left).
// Then the preview's end after its pane is destroyed.
// With --play: the preview playing in such a pane, then a full-screen run,
// back to back, `seconds` each, for tools/measure-preview-cpu.sh to read
// their CPU time from /proc (Wine's GetProcessTimes of another process
// counts only part of it).
// preview_start_bench.exe <skyvault.scr> <bare_child.exe> [rounds (10)]
// preview_start_bench.exe --play <skyvault.scr> [seconds (20)] [rounds (3)]
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/testing/win32/message_wait.h"
#include "platform/testing/win32/saver_process.h"
#include "platform/testing/win32/test_window.h"

using namespace skyvault::win32;

namespace {

double Now() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * count.QuadPart / frequency.QuadPart;
}

struct Round {
  double firstPicture = -1;  // ms from the start
  double end = -1;           // ms from the pane's destruction
};

Round Measure(const std::wstring& program, const std::wstring& switches) {
  testing::TestWindow host(152, 112, WS_POPUP | WS_VISIBLE, L"Preview host");
  Round round;
  const double start = Now();
  testing::SaverProcess process(program,
                                switches + std::to_wstring(reinterpret_cast<intptr_t>(host.hwnd)));
  const auto painted = [&] {
    HWND child = GetWindow(host.hwnd, GW_CHILD);
    return child && IsWindowVisible(child) && !GetUpdateRect(child, nullptr, FALSE);
  };
  if (testing::WaitUntil(painted, 10000)) round.firstPicture = Now() - start;
  testing::WaitUntil([] { return false; }, 500);
  const double destroyed = Now();
  DestroyWindow(host.hwnd);
  if (process.WaitForExit(5000)) round.end = Now() - destroyed;
  return round;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? -1 : values[values.size() / 2];
}

}  // namespace

void Play(const std::wstring& saver, int seconds, int rounds) {
  const auto wait = [](int ms) { testing::WaitUntil([] { return false; }, ms); };
  for (int i = 0; i < rounds; ++i) {
    {
      testing::TestWindow host(152, 112, WS_POPUP | WS_VISIBLE, L"Preview host");
      testing::SaverProcess process(
          saver, L"/p " + std::to_wstring(reinterpret_cast<intptr_t>(host.hwnd)));
      wait(seconds * 1000);
    }
    {
      testing::SaverProcess process(saver, L"/s");
      wait(seconds * 1000);
    }
  }
}

int wmain(int argc, wchar_t** argv) {
  if (argc > 2 && std::wstring(argv[1]) == L"--play") {
    Play(argv[2], argc > 3 ? _wtoi(argv[3]) : 20, argc > 4 ? _wtoi(argv[4]) : 3);
    return 0;
  }
  if (argc < 3) return 2;
  const int rounds = argc > 3 ? _wtoi(argv[3]) : 10;
  const std::wstring saver = argv[1], bare = argv[2];
  std::vector<double> bareFirst, previewFirst, previewEnd, later;
  for (int i = 0; i < rounds; ++i) {
    const Round b = Measure(bare, L"");
    const Round p = Measure(saver, L"/p ");
    bareFirst.push_back(b.firstPicture);
    previewFirst.push_back(p.firstPicture);
    previewEnd.push_back(p.end);
    later.push_back(p.firstPicture - b.firstPicture);
    std::printf(
        "round %d: bare child %.0f ms, preview %.0f ms (+%.0f), preview ended %.0f ms after its "
        "pane\n",
        i + 1, b.firstPicture, p.firstPicture, p.firstPicture - b.firstPicture, p.end);
  }
  std::printf(
      "median: bare child %.0f ms, preview %.0f ms, preview later by %.0f ms (per round), "
      "end %.0f ms\n",
      Median(bareFirst), Median(previewFirst), Median(later), Median(previewEnd));
  return 0;
}
