#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace skyvault {

// Where the saver draws, from its command line and environment, in this
// order: `--window-id ID` (the settings GUI's preview), the window in
// $XSCREENSAVER_WINDOW (the daemon's, one per monitor), `--root` (the
// virtual root), else a window of its own.
struct WindowChoice {
  enum class Target { GivenWindow, DaemonWindow, Root, OwnWindow };
  Target target = Target::OwnWindow;
  uint64_t window = 0;       // for GivenWindow and DaemonWindow
  bool help = false;         // --help: print the usage and do nothing else
  bool wayland = false;      // --wayland (or --wayland-shell): Wayland, whatever the environment
  bool xdgShell = false;     // --wayland-shell xdg: toplevels even where layers are offered
  bool showRedraws = false;  // --show-redraws: the redrawn rectangles outlined
};

// Whether the saver draws through Wayland: only in a window of its own (an
// X window handed over, or --root, keeps meaning X11), when --wayland says
// so or $WAYLAND_DISPLAY names a compositor. `waylandDisplay` may be null.
bool ChoosesWayland(const WindowChoice& choice, const char* waylandDisplay);

// `args` is the whole command line after the program's name, read as
// ReadCommandLine reads it (settings/command_line_options.h), so a value of
// another option is never taken for a window option. A window number that
// does not read as one (or is 0) is ignored, and so the next choice is taken.
WindowChoice ChooseWindow(const std::vector<std::string>& args, const char* daemonWindow);

// An X window id: hexadecimal after 0x (or 0X), else decimal; nothing for
// anything else, for 0 and for numbers past 32 bits (X window ids are 29).
std::optional<uint64_t> ParseXWindowId(const std::string& text);

}  // namespace skyvault
