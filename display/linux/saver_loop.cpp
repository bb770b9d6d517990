#include "display/linux/saver_loop.h"

#include <X11/Xlib.h>
#include <poll.h>
#include <time.h>

#include <algorithm>

#include "controls/frame_schedule.h"

namespace skyvault {
namespace {

constexpr int64_t kNanosecondsPerSecond = 1'000'000'000;
constexpr int64_t kNanosecondsPerMillisecond = 1'000'000;

}  // namespace

int64_t MonotonicNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * kNanosecondsPerSecond + now.tv_nsec;
}

SaverLoopCounts RunSaverLoop(const SaverConnection& connection, int signalFd,
                             const SaverLoopHandlers& handlers, int framesPerSecond,
                             int timerMilliseconds, int64_t deadline) {
  SaverLoopCounts counts;
  const int64_t start = MonotonicNanoseconds();
  FrameSchedule frames(kNanosecondsPerSecond, framesPerSecond, start);
  // The timers: a grid of one tick an interval. A timer that has missed a
  // tick gives one, not a burst.
  FrameSchedule timers(kNanosecondsPerMillisecond * timerMilliseconds, 1, start, 1);
  // A negative descriptor is left out of the wait.
  pollfd watched[2] = {{signalFd, POLLIN, 0}, {-1, POLLIN, 0}};

  while (!handlers.done()) {
    connection.dispatch();
    if (handlers.done()) return counts;
    if (signalFd >= 0) {
      pollfd check{signalFd, POLLIN, 0};
      if (poll(&check, 1, 0) > 0) {
        handlers.signal();
        continue;
      }
    }
    const int64_t now = MonotonicNanoseconds();
    if (deadline > 0 && now >= deadline) return counts;
    if (timers.Due(now)) {
      timers.FrameStarted(now);
      handlers.timers();
      timers.FrameDone(MonotonicNanoseconds());
      continue;
    }
    if (frames.Due(now)) {
      frames.FrameStarted(now);
      handlers.frame();
      ++counts.frames;
      frames.FrameDone(MonotonicNanoseconds());
      continue;
    }
    int64_t wake = std::min(frames.NextDue(), timers.NextDue());
    if (deadline > 0) wake = std::min(wake, deadline);
    const int64_t wait = std::max<int64_t>(wake - now, 0);
    const timespec timeout{static_cast<time_t>(wait / kNanosecondsPerSecond),
                           static_cast<long>(wait % kNanosecondsPerSecond)};
    connection.flush();
    const bool awaited = connection.awaited && connection.awaited();
    watched[1].fd = awaited ? connection.fd : -1;
    ppoll(watched, 2, &timeout, nullptr);
    ++counts.wakeUps;
  }
  return counts;
}

SaverLoopCounts RunSaverLoop(Display* display, int signalFd, const SaverLoopHandlers& handlers,
                             int framesPerSecond, int timerMilliseconds, int64_t deadline) {
  SaverConnection connection;
  connection.fd = ConnectionNumber(display);
  connection.dispatch = [&] {
    // Xlib may already hold read events that poll would not see.
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      handlers.event(event);
      if (handlers.done()) return;
    }
  };
  connection.flush = [display] { XFlush(display); };
  return RunSaverLoop(connection, signalFd, handlers, framesPerSecond, timerMilliseconds, deadline);
}

}  // namespace skyvault
