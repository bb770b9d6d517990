#pragma once
#include <string>
#include <vector>

namespace skyvault {

// Paths as the image picker handles them: Windows paths such as "C:\" or
// "C:\pics\old", in UTF-8.

// The path with one backslash at its end ("C:\" stays "C:\").
std::string WithTrailingBackslash(const std::string& path);

// The drive of a path, such as "C:" (upper case), or "" when it names none.
std::string DriveOf(const std::string& path);

// One line of the directory list: the folders from the drive's root down to
// the current directory, then the current directory's subdirectories.
struct DirectoryEntry {
  std::string label;  // "C:\" for the root, else the folder's name
  std::string path;   // its full path
  int depth;          // 0 for the root
  bool operator==(const DirectoryEntry&) const = default;
};

// The directory list for `path`, with `subdirectories` (names) in the order
// given; `current` is set to the index of `path` itself.
std::vector<DirectoryEntry> DirectoryEntries(const std::string& path,
                                             const std::vector<std::string>& subdirectories,
                                             size_t* current);

}  // namespace skyvault
