// Frame pacing of the real saver window: runs it over the whole screen for
// a while (60 s unless a number of seconds is given) on the first-run
// settings, notes when each frame was shown, and prints the share of frame
// intervals within 16.7 +- 4 ms, the median and the 99th percentile.
//
//   saver_pacing_bench [seconds]            (on $DISPLAY)
//   saver_pacing_bench --wayland [seconds]  (on every output of $WAYLAND_DISPLAY)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "controls/forwarding_drawing_control.h"
#include "controls/testing/recording_controls.h"
#include "display/linux/saver_loop.h"
#include "display/linux/saver_targets.h"
#include "display/linux/saver_window.h"
#include "display/linux/termination_signals.h"
#include "display/wayland/wayland_saver.h"
#include "settings/memory_settings_store.h"

namespace {

using namespace skyvault;

constexpr double kFrameMs = 1000.0 / 60.0;
constexpr double kToleranceMs = 4.0;

// Notes the monotonic time at which each ShowFrame returned.
class TimedDrawingControl : public ForwardingDrawingControl {
 public:
  TimedDrawingControl(DrawingControl& inner, std::vector<int64_t>& shownAt)
      : ForwardingDrawingControl(inner), shownAt_(shownAt) {}
  void ShowFrame() override {
    ForwardingDrawingControl::ShowFrame();
    shownAt_.push_back(MonotonicNanoseconds());
  }

 private:
  std::vector<int64_t>& shownAt_;
};

double Percentile(const std::vector<double>& sorted, double share) {
  if (sorted.empty()) return 0;
  return sorted[std::min(sorted.size() - 1, static_cast<size_t>(share * sorted.size()))];
}

}  // namespace

int main(int argc, char** argv) {
  const bool wayland = argc > 1 && std::strcmp(argv[1], "--wayland") == 0;
  const int secondsArgument = wayland ? 2 : 1;
  const int seconds = argc > secondsArgument ? std::max(1, std::atoi(argv[secondsArgument])) : 60;
  std::vector<int64_t> shownAt;
  shownAt.reserve(static_cast<size_t>(seconds) * 80 + 100);
  MemorySettingsStore settings;
  RecordingSoundControl sound;
  const auto wrap = [&](DrawingControl& inner) -> std::unique_ptr<DrawingControl> {
    return std::make_unique<TimedDrawingControl>(inner, shownAt);
  };
  if (wayland) {
    wl_display* compositor = wl_display_connect(nullptr);
    if (!compositor) {
      std::fprintf(stderr, "saver_pacing_bench: no Wayland compositor\n");
      return 1;
    }
    {
      WaylandSaverOptions options;
      options.runSeconds = seconds;
      options.wrapDrawing = wrap;
      TerminationSignals signals;
      WaylandSaver saver(compositor, settings, sound, std::move(options));
      if (saver.Usable()) saver.Run(signals.fd());
    }
    wl_display_disconnect(compositor);
  } else {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
      std::fprintf(stderr, "saver_pacing_bench: no X display\n");
      return 1;
    }
    {
      SaverWindowOptions options;
      options.runSeconds = seconds;
      options.wrapDrawing = wrap;
      TerminationSignals signals;
      SaverWindow window(display, CreateOwnWindow(display), true, settings, sound,
                         std::move(options));
      window.Run(signals.fd());
    }
    XCloseDisplay(display);
  }

  std::vector<double> intervals;
  for (size_t i = 1; i < shownAt.size(); ++i)
    intervals.push_back((shownAt[i] - shownAt[i - 1]) / 1e6);
  const auto within = std::count_if(intervals.begin(), intervals.end(), [](double ms) {
    return ms >= kFrameMs - kToleranceMs && ms <= kFrameMs + kToleranceMs;
  });
  std::sort(intervals.begin(), intervals.end());
  std::printf("frames %zu in %d s (%.1f per second)\n", shownAt.size(), seconds,
              shownAt.size() / static_cast<double>(seconds));
  std::printf("intervals within 16.7 +- 4 ms: %.2f %%\n",
              intervals.empty() ? 0.0 : 100.0 * within / intervals.size());
  std::printf("median %.3f ms, p1 %.3f ms, p99 %.3f ms, longest %.3f ms\n",
              Percentile(intervals, 0.5), Percentile(intervals, 0.01), Percentile(intervals, 0.99),
              intervals.empty() ? 0.0 : intervals.back());
  return 0;
}
