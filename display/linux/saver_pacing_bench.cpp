// Frame pacing of the real saver window: runs it over the whole screen for
// a while (60 s unless a number of seconds is given) on the first-run
// settings, notes when each frame was shown, and prints the share of frame
// intervals within 16.7 +- 4 ms, the median and the 99th percentile, and
// how often the event loop woke for each frame it raised.
//
//   saver_pacing_bench [seconds]            (on $DISPLAY)
//   saver_pacing_bench --wayland [seconds]  (on every output of $WAYLAND_DISPLAY)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "controls/testing/recording_controls.h"
#include "display/bench/frame_pacing.h"
#include "display/linux/saver_targets.h"
#include "display/linux/termination_signals.h"
#include "display/linux/x11_saver.h"
#include "display/wayland/wayland_saver.h"
#include "settings/memory_settings_store.h"

int main(int argc, char** argv) {
  using namespace skyvault;
  const bool wayland = argc > 1 && std::strcmp(argv[1], "--wayland") == 0;
  const int secondsArgument = wayland ? 2 : 1;
  const int seconds = argc > secondsArgument ? std::max(1, std::atoi(argv[secondsArgument])) : 60;
  TimedDrawingControl* timed = nullptr;
  MemorySettingsStore settings;
  RecordingSoundControl sound;
  const auto wrap = [&](DrawingControl& inner) -> std::unique_ptr<DrawingControl> {
    auto control = std::make_unique<TimedDrawingControl>(inner, seconds * 80 + 100);
    timed = control.get();
    return control;
  };
  SaverLoopCounts loop;
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
      if (saver.Usable()) loop = saver.Run(signals.fd());
      PrintFramePacing(timed->shownAt(), seconds);
    }
    wl_display_disconnect(compositor);
  } else {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
      std::fprintf(stderr, "saver_pacing_bench: no X display\n");
      return 1;
    }
    {
      X11SaverOptions options;
      options.runSeconds = seconds;
      options.wrapDrawing = wrap;
      TerminationSignals signals;
      X11Saver saver(display, CreateOwnWindow(display), true, settings, sound, std::move(options));
      loop = saver.Run(signals.fd());
      PrintFramePacing(timed->shownAt(), seconds);
    }
    XCloseDisplay(display);
  }
  std::printf("loop wake-ups per frame: %.3f (%lld wake-ups, %lld frames)\n",
              loop.frames > 0 ? static_cast<double>(loop.wakeUps) / loop.frames : 0.0,
              static_cast<long long>(loop.wakeUps), static_cast<long long>(loop.frames));
  return 0;
}
