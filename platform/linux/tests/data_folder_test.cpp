#include "platform/linux/data_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/testing/temp_folder.h"

namespace skyvault {
namespace {

namespace fs = std::filesystem;

TEST(DataFolder, TheBuildTreeUsesTheSourcesAndAnInstalledProgramItsShareFolder) {
  const testing::TempFolder temp;
  const std::string root = testing::Utf8(temp.path());
  fs::create_directories(root + "/pkg/usr/share/skyvault");
  fs::create_directories(root + "/pkg/usr/libexec/xscreensaver");
  const std::string build = root + "/build", source = root + "/src/assets/data";
  const struct {
    std::string executable;
    std::string folder;
  } cases[] = {
      {build + "/startup/linux/skyvault", source + "/"},
      {build + "/./startup/../skyvault", source + "/"},
      {root + "/build-other/skyvault", "/usr/share/skyvault/"},  // a name that only begins alike
      {root + "/pkg/usr/libexec/xscreensaver/skyvault", root + "/pkg/usr/share/skyvault/"},
      {"/usr/libexec/xscreensaver/skyvault", "/usr/share/skyvault/"},
      {"", "/usr/share/skyvault/"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DataFolderFor(c.executable, build, source), c.folder) << c.executable;
  }
}

TEST(DataFolder, ThisTestRunsInTheBuildTreeAndFindsTheEngineSound) {
  EXPECT_EQ(LinuxDataFolder(), fs::path(SKYVAULT_DATA_DIR "/").lexically_normal().string());
  EXPECT_TRUE(fs::exists(LinuxDataFolder() + "Prop.wav"));
}

}  // namespace
}  // namespace skyvault
