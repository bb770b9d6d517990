#pragma once
#include <sys/types.h>

#include <string>

namespace skyvault {

// Where the lock lives that picks, among the saver's processes on one X
// display (one per monitor), the one that plays the sound:
// "$XDG_RUNTIME_DIR/skyvault-sound-<display>.lock", or, where the runtime
// folder is not set, "/tmp/skyvault-<uid>/sound-<display>.lock". The
// display name keeps letters, digits, "." and "-"; anything else becomes
// "_" (":0.0" gives "_0.0"); no display gives "none".
std::string SoundLockPath(const char* runtimeFolder, uid_t user, const char* display);

// The same from this process's environment and user.
std::string SoundLockPath();
// Where the lock goes when the runtime folder cannot take it (not
// writable, not a folder): the per-user folder under /tmp, as when
// XDG_RUNTIME_DIR is unset.
std::string FallbackSoundLockPath();

// An exclusive lock that the operating system drops when the process ends.
class SoundPlayerLock {
 public:
  // `fallback` (if not empty) is used when no lock file can be made at
  // `path`; all processes of one display fall back alike, as they share the
  // environment.
  explicit SoundPlayerLock(std::string path, std::string fallback = {})
      : path_(std::move(path)), fallback_(std::move(fallback)) {}
  ~SoundPlayerLock();
  SoundPlayerLock(const SoundPlayerLock&) = delete;
  SoundPlayerLock& operator=(const SoundPlayerLock&) = delete;

  // Takes the lock unless another holder has it; true while this one has.
  // The folder /tmp/skyvault-<uid> is made when missing and used only when
  // it is this user's own folder, not a link.
  bool TryTake();
  bool held() const { return fd_ >= 0; }

 private:
  // The lock file at `path`, opened; -1 when it cannot be made there.
  static int OpenAt(const std::string& path);

  std::string path_;
  std::string fallback_;
  int fd_ = -1;
};

}  // namespace skyvault
