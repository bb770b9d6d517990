#pragma once
#include <cstdint>
#include <functional>

// Xlib's connection and event, named without its macros (None, Bool, ...).
struct _XDisplay;
typedef struct _XDisplay Display;
union _XEvent;
typedef union _XEvent XEvent;

namespace skyvault {

// What the event loop calls; each runs to its end before the next.
struct SaverLoopHandlers {
  std::function<void(const XEvent&)> event;  // X11 only: one event of the connection
  std::function<void()> frame;
  std::function<void()> timers;  // every timer interval: the saver's two timers
  std::function<void()> signal;  // a termination signal came
  std::function<bool()> done;    // checked after every call
};

// A display server's connection as the loop sees it: a descriptor, a way to
// hand on all that has arrived without waiting (`dispatch`, which notes a
// lost connection where `done` sees it), and a way to send what is queued
// before the loop sleeps. The loop wakes for the descriptor only while
// `awaited` says the saver waits for the server (a frame held back until
// the server is ready for it); otherwise what arrived (input, a finished
// frame's completion) is handed on at the next frame, in the same wake-up.
struct SaverConnection {
  int fd = -1;
  std::function<void()> dispatch;
  std::function<void()> flush;
  std::function<bool()> awaited;  // none: never
};

// What a run of the loop did: its returns from sleep and the frames raised.
struct SaverLoopCounts {
  int64_t wakeUps = 0;
  int64_t frames = 0;
};

// Nanoseconds of CLOCK_MONOTONIC.
int64_t MonotonicNanoseconds();

// Runs until `done`: hands on everything the connection brings, raises
// frames `framesPerSecond` times a second on a fixed grid and the timers
// every `timerMilliseconds`, and sleeps in between in ppoll on `signalFd`
// (and on the connection while it is awaited) until the next is due (no
// busy waiting): in the steady state, one wake-up a frame. After a pause
// (SIGSTOP, a suspended machine) the grids start anew instead of catching up
// in a burst. A `deadline` (monotonic nanoseconds, 0 for none) ends it too.
SaverLoopCounts RunSaverLoop(const SaverConnection& connection, int signalFd,
                             const SaverLoopHandlers& handlers, int framesPerSecond,
                             int timerMilliseconds, int64_t deadline = 0);

// The same on an X connection: every event goes to `handlers.event`. Nothing
// there is awaited: the shared image's completion is read with the next
// frame's events, before that frame is drawn.
SaverLoopCounts RunSaverLoop(Display* display, int signalFd, const SaverLoopHandlers& handlers,
                             int framesPerSecond, int timerMilliseconds, int64_t deadline = 0);

}  // namespace skyvault
