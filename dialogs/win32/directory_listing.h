#pragma once
#include <optional>
#include <string>
#include <vector>

namespace skyvault::win32 {

// What the image picker's lists show, read from the file system. Paths and
// names are UTF-8; every list is sorted ignoring case.

// The files (not directories) of `directory` that match `pattern` ("*.BMP").
std::vector<std::string> FilesIn(const std::string& directory, const std::string& pattern);
// The subdirectories of `directory`, without "." and "..".
std::vector<std::string> SubdirectoriesOf(const std::string& directory);
// The system's drives, such as "C:".
std::vector<std::string> Drives();
// The current directory on `drive` ("D:"), or nothing when it cannot be read.
std::optional<std::string> CurrentDirectoryOn(const std::string& drive);
// The process's current directory.
std::string ProcessCurrentDirectory();

}  // namespace skyvault::win32
