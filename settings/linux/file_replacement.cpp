#include "settings/linux/file_replacement.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace skyvault {
namespace {

// As many links in a row as the system itself follows.
constexpr int kMostLinks = 40;
constexpr const char kTemporarySuffix[] = ".XXXXXX";
constexpr size_t kTemporaryTail = sizeof kTemporarySuffix - 2;  // the X's

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
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

// mkstemp's letters: A-Z, a-z and 0-9.
bool IsTemporaryLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

}  // namespace

std::string FollowLinks(const std::string& path) {
  std::string current = path;
  for (int step = 0; step < kMostLinks; ++step) {
    struct stat info {};
    if (lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
    std::string target(4096, '\0');
    const ssize_t length = readlink(current.c_str(), target.data(), target.size());
    if (length <= 0 || static_cast<size_t>(length) >= target.size()) return current;
    target.resize(static_cast<size_t>(length));
    current = target.front() == '/' ? target : FolderOf(current) + target;
  }
  return current;
}

bool ReplaceFile(const std::string& file, const std::string& text) {
  std::string temporary = file + kTemporarySuffix;
  const int fd = mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return false;
  const bool written = WriteAll(fd, text);
  const bool closed = close(fd) == 0;  // a full disk may only show here
  if (!written || !closed || rename(temporary.c_str(), file.c_str()) != 0) {
    unlink(temporary.c_str());
    return false;
  }
  return true;
}

void RemoveStaleTemporaries(const std::string& file) {
  std::string folder = FolderOf(file);
  const std::string name = file.substr(folder.size());
  if (folder.empty()) folder = "./";
  DIR* listing = opendir(folder.c_str());
  if (!listing) return;
  while (const dirent* entry = readdir(listing)) {
    const std::string candidate = entry->d_name;
    if (candidate.size() != name.size() + 1 + kTemporaryTail ||
        candidate.compare(0, name.size() + 1, name + '.') != 0) {
      continue;
    }
    bool temporary = true;
    for (size_t i = name.size() + 1; i < candidate.size(); ++i) {
      temporary = temporary && IsTemporaryLetter(candidate[i]);
    }
    struct stat info {};
    const std::string path = folder + candidate;
    if (temporary && lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
      unlink(path.c_str());
    }
  }
  closedir(listing);
}

}  // namespace skyvault
