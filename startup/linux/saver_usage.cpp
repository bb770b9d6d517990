#include "startup/linux/saver_usage.h"

#include "settings/command_line_options.h"

namespace skyvault {
namespace {

constexpr EnvironmentVariable kEnvironment[] = {
    {"XSCREENSAVER_WINDOW",
     "the window to draw in, one per monitor, given by xscreensaver: after --window-id, before "
     "--root"},
    {"WAYLAND_DISPLAY",
     "the Wayland compositor to draw on when no X window is given; without one there, the X "
     "display"},
    {"XDG_CONFIG_HOME",
     "the settings are $XDG_CONFIG_HOME/skyvault/skyvault.ini (by default "
     "~/.config/skyvault/skyvault.ini)"},
    {"XDG_RUNTIME_DIR",
     "holds the lock that lets one saver per display play the engine (else a folder of the "
     "user's own under /tmp)"},
    {"SKYVAULT_NO_SHM",
     "1: send frames with plain XPutImage instead of shared memory (also chosen by itself when "
     "the X server refuses shared memory)"},
    {"SKYVAULT_SHOW_REDRAWS", "1: as --show-redraws"},
};

}  // namespace

std::span<const EnvironmentVariable> EnvironmentVariables() { return kEnvironment; }

std::string SaverUsage() {
  std::string text = "Usage: skyvault [options]\nSkyvault, the screen saver.\n";
  text += CommandLineUsage();
  text += "\nEnvironment:\n";
  for (const EnvironmentVariable& variable : kEnvironment) {
    text += UsageLine("  $" + std::string(variable.name), variable.help);
  }
  text += "\nOptions take one dash or two, a value after a blank or after \"=\".\n";
  return text;
}

}  // namespace skyvault
