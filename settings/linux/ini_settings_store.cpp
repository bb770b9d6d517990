#include "settings/linux/ini_settings_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

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

bool WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

bool IniSettingsStore::FileIdentity::operator==(const FileIdentity& other) const {
  return exists == other.exists && device == other.device && inode == other.inode &&
         size == other.size && SameTime(modified, other.modified) &&
         SameTime(changed, other.changed);
}

IniSettingsStore::IniSettingsStore(std::string path, std::chrono::milliseconds recheck)
    : path_(std::move(path)), recheck_(recheck) {
  const size_t slash = path_.rfind('/');
  if (slash != std::string::npos) folder_ = path_.substr(0, slash + 1);
}

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
  struct stat info {};
  if (!file || fstat(file.get(), &info) != 0) return {};
  Loaded loaded;
  loaded.identity = FileIdentity::Of(info);
  if (!S_ISREG(info.st_mode) || info.st_size > kMaxFileBytes) return loaded;
  std::string text(static_cast<size_t>(info.st_size) + 1, '\0');
  size_t got = 0;
  while (got < text.size()) {
    const ssize_t n = read(file.get(), text.data() + got, text.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return loaded;
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  if (got > static_cast<size_t>(kMaxFileBytes)) return loaded;  // it grew while we read
  text.resize(got);
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
}

std::string IniSettingsStore::Read(const std::string& section, const std::string& key,
                                   const std::string& fallback) {
  RefreshIfChanged();
  return cache_.document.Find(section, key).value_or(fallback);
}

bool IniSettingsStore::Write(const std::string& section, const std::string& key,
                             const std::string& value) {
  if (folder_.empty() || !MakeFolders(folder_)) return false;
  Descriptor lock(open((path_ + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
  if (lock) {
    while (flock(lock.get(), LOCK_EX) != 0 && errno == EINTR) {
    }
  }
  Loaded current = Load(path_);
  if (!current.document.Set(section, key, value) || !WriteFile(current.document.Text())) {
    return false;
  }
  // Still under the lock: no other writer has replaced the file since.
  current.identity = IdentityOf(path_);
  cache_ = std::move(current);
  checked_ = true;
  lastCheck_ = std::chrono::steady_clock::now();
  return true;
}

bool IniSettingsStore::WriteFile(const std::string& text) {
  std::string temporary = path_ + ".XXXXXX";
  Descriptor file(mkostemp(temporary.data(), O_CLOEXEC));
  if (!file) return false;
  if (!WriteAll(file.get(), text) || rename(temporary.c_str(), path_.c_str()) != 0) {
    unlink(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace skyvault
