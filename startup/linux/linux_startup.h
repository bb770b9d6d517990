#pragma once
#include <string>
#include <vector>

namespace skyvault {

// Start-up on Linux: chooses the window (ChooseWindow), opens the settings
// and the sound, and runs the saver there until it ends. `args` is the
// command line after the program's name, `daemonWindow` the value of
// $XSCREENSAVER_WINDOW (or null). Returns the exit code: 0, or 1 when there
// is no X display or the window handed over does not exist.
//
// Two environment switches change how frames reach the X server:
// SKYVAULT_NO_SHM=1 sends them with plain XPutImage, and
// SKYVAULT_REFUSE_SHM_ATTACH=1 offers the server a segment it must refuse
// (as a remote server would), which tests the fallback.
int StartLinuxSaver(const std::vector<std::string>& args, const char* daemonWindow);

}  // namespace skyvault
