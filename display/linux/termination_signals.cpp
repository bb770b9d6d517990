#include "display/linux/termination_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "display/linux/ending_watchdog.h"

namespace skyvault {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
int pipeEnds[2] = {-1, -1};
struct sigaction previous[3];

void Note(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = write(pipeEnds[1], &byte, 1);
  ending_watchdog::Arm();
  errno = saved;
}

}  // namespace

TerminationSignals::TerminationSignals() {
  if (pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) {
    pipeEnds[0] = pipeEnds[1] = -1;
    return;
  }
  struct sigaction action {};
  action.sa_handler = &Note;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: a call that waits (a read, a poll) returns at once with
  // EINTR, so the loop hears the signal even in the middle of loading.
  action.sa_flags = 0;
  for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &action, &previous[i]);
}

TerminationSignals::~TerminationSignals() {
  if (pipeEnds[0] < 0) return;
  for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &previous[i], nullptr);
  close(pipeEnds[0]);
  close(pipeEnds[1]);
  pipeEnds[0] = pipeEnds[1] = -1;
}

int TerminationSignals::fd() const { return pipeEnds[0]; }

}  // namespace skyvault
