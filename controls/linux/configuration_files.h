#pragma once
#include <sys/stat.h>

#include <cstring>
#include <string>

namespace skyvault {

// Whether the configuration files that an environment variable names for a
// library (one path, or a list split at any of `separators`) are safe to
// hand to it: each one is a regular file or a folder, or is missing (the
// library then says so at once). A device or a pipe in their place
// ("/dev/zero") would have the library read without end, spinning and
// growing; such a library is better not started at all. An unset or empty
// variable is safe: the library uses its own files.
inline bool ConfigurationFilesAreSafe(const char* value, const char* separators = "") {
  if (!value) return true;
  const std::string list = value;
  for (size_t start = 0; start <= list.size();) {
    size_t end = list.find_first_of(separators, start);
    if (*separators == '\0' || end == std::string::npos) end = list.size();
    const std::string path = list.substr(start, end - start);
    struct stat info {};
    if (!path.empty() && stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode) &&
        !S_ISDIR(info.st_mode)) {
      return false;
    }
    start = end + 1;
  }
  return true;
}

}  // namespace skyvault
