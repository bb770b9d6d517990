#include "platform/testing/temp_folder.h"

#include <fstream>
#include <random>

namespace skyvault::testing {

namespace fs = std::filesystem;

std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

// A name no other test, process or earlier run is using.
TempFolder::TempFolder() {
  static std::mt19937_64 random{std::random_device{}()};
  do path_ = fs::temp_directory_path() / ("skyvault-test-" + std::to_string(random()));
  while (!fs::create_directory(path_));
}

TempFolder::TempFolder(std::initializer_list<fs::path> files) : TempFolder() {
  for (const fs::path& file : files) {
    fs::create_directories((path_ / file).parent_path());
    Write(file, {'x'});
  }
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  // Folders a test made read-only are opened up again to be removed.
  for (const auto& entry : fs::recursive_directory_iterator(path_, ignored))
    if (entry.is_directory(ignored))
      fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(path_, ignored);
}

std::string TempFolder::Path(const fs::path& name) const { return Utf8(path_ / name); }

std::string TempFolder::Write(const fs::path& name, const std::vector<uint8_t>& bytes) const {
  std::ofstream(path_ / name, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return Path(name);
}

CurrentDirectory::CurrentDirectory(const fs::path& folder) : previous_(fs::current_path()) {
  fs::current_path(folder);
}

CurrentDirectory::~CurrentDirectory() {
  std::error_code ignored;
  fs::current_path(previous_, ignored);
}

}  // namespace skyvault::testing
