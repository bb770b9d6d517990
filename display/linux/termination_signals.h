#pragma once

namespace skyvault {

// SIGTERM, SIGINT and SIGHUP, turned into a file descriptor that becomes
// readable when one arrives, so that the event loop hears them between two
// events instead of dying in the middle of one. A signal also arms the
// ending watchdog (ending_watchdog.h): the process ends within its grace
// time even when the ending cannot run. One per process.
class TerminationSignals {
 public:
  TerminationSignals();
  ~TerminationSignals();
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

  // Readable once a signal has come (-1 when the pipe could not be made).
  int fd() const;
};

}  // namespace skyvault
