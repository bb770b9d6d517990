#pragma once
#include <X11/Xlib.h>

#include <cstdint>
#include <functional>

namespace skyvault {

// What the event loop calls; each runs to its end before the next.
struct SaverLoopHandlers {
  std::function<void(const XEvent&)> event;  // X11 only: one event of the connection
  std::function<void()> frame;
  std::function<void()> second;  // once a second: the saver's two timers
  std::function<void()> signal;  // a termination signal came
  std::function<bool()> done;    // checked after every call
};

// A display server's connection as the loop sees it: a descriptor to wait
// on, a way to hand on all that has arrived without waiting (`dispatch`,
// which notes a lost connection where `done` sees it), and a way to send
// what is queued before the loop sleeps.
struct SaverConnection {
  int fd = -1;
  std::function<void()> dispatch;
  std::function<void()> flush;
};

// Nanoseconds of CLOCK_MONOTONIC.
int64_t MonotonicNanoseconds();

// Runs until `done`: hands on everything the connection brings, raises
// frames `framesPerSecond` times a second on a fixed grid and the timers
// once a second, and sleeps in between in ppoll on the connection and
// `signalFd` until the next is due (no busy waiting). After a pause
// (SIGSTOP, a suspended machine) the grids start anew instead of catching up
// in a burst. A `deadline` (monotonic nanoseconds, 0 for none) ends it too.
void RunSaverLoop(const SaverConnection& connection, int signalFd,
                  const SaverLoopHandlers& handlers, int framesPerSecond = 60,
                  int64_t deadline = 0);

// The same on an X connection: every event goes to `handlers.event`.
void RunSaverLoop(Display* display, int signalFd, const SaverLoopHandlers& handlers,
                  int framesPerSecond = 60, int64_t deadline = 0);

}  // namespace skyvault
