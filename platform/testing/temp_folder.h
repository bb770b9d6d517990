#pragma once
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

namespace skyvault::testing {

// A fresh folder under the system's temporary folder, removed with its contents at the end.
class TempFolder {
 public:
  TempFolder();
  // With these files in it, one byte each; a name's folder part makes the subfolders.
  TempFolder(std::initializer_list<std::filesystem::path> files);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string Path(const std::filesystem::path& name) const;  // `name` in the folder, as UTF-8
  // Writes `bytes` to `name` in the folder; returns Path(name).
  std::string Write(const std::filesystem::path& name, const std::vector<uint8_t>& bytes) const;

 private:
  std::filesystem::path path_;
};

// Makes a folder the current directory while it lives, then restores the one before.
class CurrentDirectory {
 public:
  explicit CurrentDirectory(const std::filesystem::path& folder);
  ~CurrentDirectory();
  CurrentDirectory(const CurrentDirectory&) = delete;
  CurrentDirectory& operator=(const CurrentDirectory&) = delete;

 private:
  std::filesystem::path previous_;
};

std::string Utf8(const std::filesystem::path& path);  // as the portable code passes paths around

}  // namespace skyvault::testing
