#include "dialogs/picker_paths.h"

namespace skyvault {

std::string WithTrailingBackslash(const std::string& path) {
  if (!path.empty() && path.back() == '\\') return path;
  return path + "\\";
}

std::string DriveOf(const std::string& path) {
  if (path.size() < 2 || path[1] != ':') return "";
  char letter = path[0];
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  if (letter < 'A' || letter > 'Z') return "";
  return std::string(1, letter) + ":";
}

std::vector<DirectoryEntry> DirectoryEntries(const std::string& path,
                                             const std::vector<std::string>& subdirectories,
                                             size_t* current) {
  std::vector<DirectoryEntry> entries;
  // The root: "C:\" (or whatever precedes the first backslash).
  const size_t firstSlash = path.find('\\');
  std::string root = firstSlash == std::string::npos ? WithTrailingBackslash(path)
                                                     : path.substr(0, firstSlash + 1);
  entries.push_back({root, root, 0});
  std::string sofar = root;
  size_t start = root.size();
  int depth = 1;
  while (start < path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    if (end > start) {
      const std::string name = path.substr(start, end - start);
      sofar = WithTrailingBackslash(sofar) + name;
      entries.push_back({name, sofar, depth++});
    }
    start = end + 1;
  }
  if (current) *current = entries.size() - 1;
  const std::string parent = WithTrailingBackslash(entries.back().path);
  for (const std::string& name : subdirectories) {
    entries.push_back({name, parent + name, depth});
  }
  return entries;
}

}  // namespace skyvault
