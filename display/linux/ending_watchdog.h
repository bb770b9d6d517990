#pragma once

namespace skyvault {

// Once the saver's ending has begun, the process ends within a short grace
// time even when a thread hangs where it cannot be asked to stop: a read
// that never returns, a library that spins on a hostile configuration file.
// The ending normally finishes well inside the grace and this never acts;
// otherwise a thread of its own ends the process with _exit(0), which also
// closes the sound device and so silences it.
//
// One per process: Start once, before any termination signal can arrive.
namespace ending_watchdog {

constexpr int kGraceMilliseconds = 300;

// Starts the waiting thread; false when no thread could be made (the ending
// then takes as long as it takes).
bool Start(int graceMilliseconds = kGraceMilliseconds);

// The ending has begun: the grace time runs from now. Safe in a signal
// handler; a second call changes nothing.
void Arm() noexcept;

}  // namespace ending_watchdog
}  // namespace skyvault
