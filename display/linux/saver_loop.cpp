#include "display/linux/saver_loop.h"

#include <poll.h>
#include <time.h>

#include <algorithm>

#include "controls/frame_schedule.h"

namespace skyvault {
namespace {

constexpr int64_t kNanosecondsPerSecond = 1'000'000'000;

}  // namespace

int64_t MonotonicNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * kNanosecondsPerSecond + now.tv_nsec;
}

void RunSaverLoop(const SaverConnection& connection, int signalFd,
                  const SaverLoopHandlers& handlers, int framesPerSecond, int64_t deadline) {
  const int64_t start = MonotonicNanoseconds();
  FrameSchedule frames(kNanosecondsPerSecond, framesPerSecond, start);
  // A timer that has missed a tick gives one, not a burst.
  FrameSchedule seconds(kNanosecondsPerSecond, 1, start, 1);
  pollfd watched[2] = {{connection.fd, POLLIN, 0}, {signalFd, POLLIN, 0}};
  const nfds_t watchedCount = signalFd >= 0 ? 2 : 1;

  while (!handlers.done()) {
    connection.dispatch();
    if (handlers.done()) return;
    if (signalFd >= 0) {
      pollfd check{signalFd, POLLIN, 0};
      if (poll(&check, 1, 0) > 0) {
        handlers.signal();
        continue;
      }
    }
    const int64_t now = MonotonicNanoseconds();
    if (deadline > 0 && now >= deadline) return;
    if (seconds.Due(now)) {
      seconds.FrameStarted(now);
      handlers.second();
      seconds.FrameDone(MonotonicNanoseconds());
      continue;
    }
    if (frames.Due(now)) {
      frames.FrameStarted(now);
      handlers.frame();
      frames.FrameDone(MonotonicNanoseconds());
      continue;
    }
    int64_t wake = std::min(frames.NextDue(), seconds.NextDue());
    if (deadline > 0) wake = std::min(wake, deadline);
    const int64_t wait = std::max<int64_t>(wake - now, 0);
    const timespec timeout{static_cast<time_t>(wait / kNanosecondsPerSecond),
                           static_cast<long>(wait % kNanosecondsPerSecond)};
    connection.flush();
    ppoll(watched, watchedCount, &timeout, nullptr);
  }
}

void RunSaverLoop(Display* display, int signalFd, const SaverLoopHandlers& handlers,
                  int framesPerSecond, int64_t deadline) {
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
  RunSaverLoop(connection, signalFd, handlers, framesPerSecond, deadline);
}

}  // namespace skyvault
