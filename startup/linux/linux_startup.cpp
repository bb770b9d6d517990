#include "startup/linux/linux_startup.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "controls/linux/x_error_trap.h"
#include "display/linux/ending_watchdog.h"
#include "display/linux/saver_targets.h"
#include "display/linux/termination_signals.h"
#include "display/linux/x11_saver.h"
#include "display/wayland/wayland_saver.h"
#include "startup/linux/linux_services.h"
#include "startup/linux/saver_usage.h"
#include "startup/linux/window_choice.h"

namespace skyvault {
namespace {

bool Switch(const char* name) {
  const char* value = std::getenv(name);
  return value && *value && std::strcmp(value, "0") != 0;
}

bool WindowExists(Display* display, Window window) {
  XErrorTrap trap(display);
  XWindowAttributes attributes{};
  return XGetWindowAttributes(display, window, &attributes) && !trap.Failed();
}

// The saver on the compositor of $WAYLAND_DISPLAY. Nothing when it cannot
// run there (no compositor, or one without what the saver needs).
std::optional<int> RunOnWayland(const std::vector<std::string>& args, const WindowChoice& choice) {
  wl_display* compositor = wl_display_connect(nullptr);
  if (!compositor) return std::nullopt;
  auto settings = MakeSettingsStore(args);
  auto sound = MakeSoundControl(false);
  bool usable = false;
  {
    WaylandSaverOptions options;
    options.xdgShell = choice.xdgShell;
    options.showRedraws = choice.showRedraws || Switch("SKYVAULT_SHOW_REDRAWS");
    ending_watchdog::Start();
    TerminationSignals signals;
    WaylandSaver saver(compositor, *settings, *sound, std::move(options));
    usable = saver.Usable();
    if (usable) {
      saver.Run(signals.fd());
      ending_watchdog::Arm();  // letting go must not hang, as on X11
    }
  }
  sound.reset();
  wl_display_disconnect(compositor);
  if (!usable) return std::nullopt;
  return 0;
}

}  // namespace

int StartLinuxSaver(const std::vector<std::string>& args, const char* daemonWindow) {
  const WindowChoice choice = ChooseWindow(args, daemonWindow);
  if (choice.help) {
    std::fputs(SaverUsage().c_str(), stdout);
    return 0;
  }
  if (ChoosesWayland(choice, std::getenv("WAYLAND_DISPLAY"))) {
    if (auto status = RunOnWayland(args, choice)) return *status;
    if (choice.wayland) {
      std::fprintf(stderr,
                   "skyvault: no Wayland compositor with a shell and shared memory at \"%s\"\n",
                   std::getenv("WAYLAND_DISPLAY") ? std::getenv("WAYLAND_DISPLAY") : "");
      return 1;
    }
    // Else the X server, as before there was Wayland (Xwayland, say).
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "skyvault: cannot open the X display \"%s\"\n",
                 std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "");
    return 1;
  }
  XSetErrorHandler(&NoteXError);

  Window window = 0;
  bool own = false;
  switch (choice.target) {
    case WindowChoice::Target::GivenWindow:
    case WindowChoice::Target::DaemonWindow:
      window = static_cast<Window>(choice.window);
      if (!WindowExists(display, window)) {
        std::fprintf(stderr, "skyvault: there is no window 0x%lx\n", window);
        XCloseDisplay(display);
        return 1;
      }
      break;
    case WindowChoice::Target::Root:
      window = FindVirtualRoot(display);
      break;
    case WindowChoice::Target::OwnWindow:
      window = CreateOwnWindow(display);
      own = true;
      break;
  }

  auto settings = MakeSettingsStore(args);
  auto sound = MakeSoundControl(choice.target == WindowChoice::Target::GivenWindow);
  {
    X11SaverOptions options;
    options.surface.sharedMemory = !Switch("SKYVAULT_NO_SHM");
    options.surface.refuseAttach = Switch("SKYVAULT_REFUSE_SHM_ATTACH");
    options.showRedraws = choice.showRedraws || Switch("SKYVAULT_SHOW_REDRAWS");
    ending_watchdog::Start();
    TerminationSignals signals;
    X11Saver saver(display, window, own, *settings, *sound, std::move(options));
    saver.Run(signals.fd());
    // The saver has ended (a key, a signal, its window gone): what remains
    // is letting go, which a thread stuck in a read or a library call must
    // not hold up.
    ending_watchdog::Arm();
  }
  sound.reset();
  XCloseDisplay(display);
  return 0;
}

}  // namespace skyvault
