#include "display/linux/ending_watchdog.h"

#include <semaphore.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <thread>

namespace skyvault::ending_watchdog {
namespace {

sem_t armed;
std::atomic<bool> started{false};   // Start was called
std::atomic<bool> watching{false};  // the thread waits on `armed`
std::atomic<bool> armedOnce{false};

void Watch(int graceMilliseconds) {
  while (sem_wait(&armed) != 0 && errno == EINTR) {
  }
  timespec until{};
  clock_gettime(CLOCK_MONOTONIC, &until);
  until.tv_sec += graceMilliseconds / 1000;
  until.tv_nsec += static_cast<long>(graceMilliseconds % 1000) * 1'000'000;
  if (until.tv_nsec >= 1'000'000'000) {
    until.tv_nsec -= 1'000'000'000;
    ++until.tv_sec;
  }
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
  }
  // Still here: the ending hangs. A saver that was asked to end has ended.
  _exit(0);
}

}  // namespace

bool Start(int graceMilliseconds) {
  if (started.exchange(true)) return true;
  if (sem_init(&armed, 0, 0) != 0) return false;
  try {
    std::thread(Watch, graceMilliseconds).detach();
  } catch (...) {
    return false;
  }
  watching = true;
  return true;
}

void Arm() noexcept {
  if (!watching.load() || armedOnce.exchange(true)) return;
  sem_post(&armed);
}

}  // namespace skyvault::ending_watchdog
