#include "settings/linux/ini_settings_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <utility>

#include "settings/linux/file_replacement.h"

namespace skyvault {
namespace {

// A file descriptor that closes itself.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }

 private:
  int fd_;
};

bool SameTime(const timespec& a, const timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// Creates the folder and the folders above it that are missing.
bool MakeFolders(const std::string& folder) {
  if (folder.empty()) return false;
  struct stat info {};
  if (stat(folder.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
  const size_t slash = folder.find_last_of('/', folder.size() - 2);
  if (slash != std::string::npos && slash > 0 && !MakeFolders(folder.substr(0, slash + 1))) {
    return false;
  }
  return mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

}  // namespace

bool IniSettingsStore::FileIdentity::operator==(const FileIdentity& other) const {
  return exists == other.exists && device == other.device && inode == other.inode &&
         size == other.size && SameTime(modified, other.modified) &&
         SameTime(changed, other.changed);
}

IniSettingsStore::IniSettingsStore(std::string path, std::chrono::milliseconds recheck)
    : path_(std::move(path)), recheck_(recheck) {}

IniSettingsStore::FileIdentity IniSettingsStore::FileIdentity::Of(const struct stat& info) {
  return {true, info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
}

IniSettingsStore::FileIdentity IniSettingsStore::IdentityOf(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return {};
  return FileIdentity::Of(info);
}

IniSettingsStore::Loaded IniSettingsStore::Load(const std::string& path) {
  // Non-blocking, so that a named pipe in the file's place cannot stall us.
  Descriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  Loaded loaded;
  struct stat info {};
  if (!file) {
    if (errno == ENOENT) return loaded;  // no file yet: the first write makes it
    loaded.identity = IdentityOf(path);
    loaded.refusal = "cannot be read";
    return loaded;
  }
  if (fstat(file.get(), &info) != 0) {
    loaded.refusal = "cannot be read";
    return loaded;
  }
  loaded.identity = FileIdentity::Of(info);
  if (!S_ISREG(info.st_mode)) {
    loaded.refusal = "is not a regular file";
    return loaded;
  }
  if (info.st_size > kMaxFileBytes) {
    loaded.refusal = "is larger than 1 MiB";
    return loaded;
  }
  std::string text(static_cast<size_t>(info.st_size) + 1, '\0');
  size_t got = 0;
  while (got < text.size()) {
    const ssize_t n = read(file.get(), text.data() + got, text.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      loaded.refusal = "cannot be read";
      return loaded;
    }
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  if (got > static_cast<size_t>(kMaxFileBytes)) {  // it grew while we read
    loaded.refusal = "is larger than 1 MiB";
    return loaded;
  }
  text.resize(got);
  if (!IsUtf8Text(text)) loaded.refusal = "is not UTF-8 text";
  loaded.document = IniDocument::Parse(text);
  return loaded;
}

void IniSettingsStore::RefreshIfChanged() {
  const auto now = std::chrono::steady_clock::now();
  if (checked_ && now - lastCheck_ < recheck_) return;
  checked_ = true;
  lastCheck_ = now;
  if (IdentityOf(path_) == cache_.identity) return;  // also when it is still missing
  cache_ = Load(path_);
  ++fileLoads_;
  if (cache_.refusal) ReportRefusal(cache_.refusal);
}

void IniSettingsStore::ReportRefusal(const char* refusal) {
  if (reported_) return;
  reported_ = true;
  std::fprintf(stderr,
               "skyvault: the settings file %s %s: it is left as it is, and no setting is "
               "saved to it\n",
               path_.c_str(), refusal);
}

std::string IniSettingsStore::Read(const std::string& section, const std::string& key,
                                   const std::string& fallback) {
  RefreshIfChanged();
  return cache_.document.Find(section, key).value_or(fallback);
}

bool IniSettingsStore::Write(const std::string& section, const std::string& key,
                             const std::string& value) {
  const std::string file = FollowLinks(path_);
  const size_t slash = file.rfind('/');
  if (slash == std::string::npos || !MakeFolders(file.substr(0, slash + 1))) return false;
  Descriptor lock(open((file + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
  bool locked = false;
  if (lock) {
    int result = 0;
    while ((result = flock(lock.get(), LOCK_EX)) != 0 && errno == EINTR) {
    }
    locked = result == 0;
  }
  Loaded current = Load(file);
  if (current.refusal) {
    ReportRefusal(current.refusal);
    return false;
  }
  if (locked) RemoveStaleTemporaries(file);
  if (!current.document.Set(section, key, value) || !ReplaceFile(file, current.document.Text())) {
    return false;
  }
  // Still under the lock: no other writer has replaced the file since.
  current.identity = IdentityOf(path_);
  cache_ = std::move(current);
  checked_ = true;
  lastCheck_ = std::chrono::steady_clock::now();
  return true;
}

}  // namespace skyvault
