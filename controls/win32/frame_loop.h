#pragma once
#include <functional>

namespace skyvault::win32 {

// The thread's message loop with frame events: dispatches every message as
// it comes and calls `onFrame` `framesPerSecond` times a second on a fixed
// schedule, sleeping in between on a high-resolution waitable timer (no busy
// waiting). The pace is the same on every monitor refresh rate. Returns the
// exit code of WM_QUIT.
int RunFrameLoop(const std::function<void()>& onFrame, int framesPerSecond = 60);

}  // namespace skyvault::win32
