#include "platform/linux/data_folder.h"

#include <filesystem>
#include <system_error>

namespace skyvault {
namespace {

namespace fs = std::filesystem;

constexpr const char* kInstalledData = "/usr/share/skyvault/";

std::string AsFolder(const fs::path& path) {
  std::string text = path.lexically_normal().string();
  if (text.empty() || text.back() != '/') text += '/';
  return text;
}

bool Contains(const fs::path& folder, const fs::path& path) {
  const auto [end, ignored] = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
  return end == folder.end();
}

}  // namespace

std::string DataFolderFor(const std::string& executable, const std::string& buildTree,
                          const std::string& sourceData) {
  std::error_code error;
  const fs::path program = fs::weakly_canonical(executable, error);
  if (error || program.empty()) return kInstalledData;
  const fs::path tree = fs::weakly_canonical(buildTree, error);
  if (!error && !buildTree.empty() && Contains(tree, program)) return AsFolder(sourceData);
  const fs::path beside = program.parent_path() / ".." / ".." / "share" / "skyvault";
  if (fs::is_directory(beside, error)) return AsFolder(fs::weakly_canonical(beside, error));
  return kInstalledData;
}

std::string LinuxDataFolder() {
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  return DataFolderFor(error ? std::string() : self.string(), SKYVAULT_BUILD_TREE,
                       SKYVAULT_SOURCE_DATA);
}

}  // namespace skyvault
