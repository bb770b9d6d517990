#include "controls/linux/sound_player_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace skyvault {
namespace {

std::string DisplayPart(const char* display) {
  if (!display || !*display) return "none";
  std::string part = display;
  for (char& c : part) {
    const bool kept = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                      c == '.' || c == '-';
    if (!kept) c = '_';
  }
  return part;
}

// The folder is there (made now if missing), a real folder, and this user's.
bool IsOwnFolder(const std::string& folder) {
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
  struct stat info {};
  return lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid();
}

}  // namespace

std::string SoundLockPath(const char* runtimeFolder, uid_t user, const char* display) {
  if (runtimeFolder && runtimeFolder[0] == '/') {
    return std::string(runtimeFolder) + "/skyvault-sound-" + DisplayPart(display) + ".lock";
  }
  return "/tmp/skyvault-" + std::to_string(user) + "/sound-" + DisplayPart(display) + ".lock";
}

std::string SoundLockPath() {
  return SoundLockPath(std::getenv("XDG_RUNTIME_DIR"), geteuid(), std::getenv("DISPLAY"));
}

std::string FallbackSoundLockPath() {
  return SoundLockPath(nullptr, geteuid(), std::getenv("DISPLAY"));
}

SoundPlayerLock::~SoundPlayerLock() {
  if (fd_ >= 0) close(fd_);
}

int SoundPlayerLock::OpenAt(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos || slash == 0) return -1;
  const std::string folder = path.substr(0, slash);
  if (folder.rfind("/tmp/skyvault-", 0) == 0 && !IsOwnFolder(folder)) return -1;
  return open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
}

bool SoundPlayerLock::TryTake() {
  if (fd_ >= 0) return true;
  int fd = OpenAt(path_);
  if (fd < 0 && !fallback_.empty()) fd = OpenAt(fallback_);
  if (fd < 0) return false;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

}  // namespace skyvault
