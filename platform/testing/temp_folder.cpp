#include "platform/testing/temp_folder.h"

#include <fstream>
#include <random>

namespace skyvault::testing {
namespace {

// A name no other test, process or earlier run is using.
std::filesystem::path FreshFolder() {
  static std::mt19937_64 random{std::random_device{}()};
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  for (;;) {
    const std::filesystem::path candidate = base / ("skyvault-test-" + std::to_string(random()));
    if (std::filesystem::create_directory(candidate)) return candidate;
  }
}

}  // namespace

std::string Utf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

TempFolder::TempFolder() : path_(FreshFolder()) {}

TempFolder::TempFolder(std::initializer_list<std::filesystem::path> files) : TempFolder() {
  for (const std::filesystem::path& file : files) {
    std::filesystem::create_directories((path_ / file).parent_path());
    Write(file, {'x'});
  }
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  // Folders a test made read-only are opened up again to be removed.
  namespace fs = std::filesystem;
  for (const auto& entry : fs::recursive_directory_iterator(path_, ignored))
    if (entry.is_directory(ignored))
      fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::Path(const std::filesystem::path& name) const { return Utf8(path_ / name); }

std::string TempFolder::Write(const std::filesystem::path& name,
                              const std::vector<uint8_t>& bytes) const {
  std::ofstream(path_ / name, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return Path(name);
}

CurrentDirectory::CurrentDirectory(const std::filesystem::path& folder)
    : previous_(std::filesystem::current_path()) {
  std::filesystem::current_path(folder);
}

CurrentDirectory::~CurrentDirectory() {
  std::error_code ignored;
  std::filesystem::current_path(previous_, ignored);
}

}  // namespace skyvault::testing
