#include "platform/linux/data_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/testing/temp_folder.h"

namespace skyvault {
namespace {

namespace fs = std::filesystem;

TEST(DataFolder, TheBuildTreeUsesTheSourcesAndAnInstalledProgramItsShareFolder) {
  const testing::TempFolder temp;
  const std::string root = testing::Utf8(temp.path()), build = root + "/build",
                    source = root + "/src/assets/data", share = "/usr/share/skyvault/";
  fs::create_directories(root + "/pkg/usr/share/skyvault");
  fs::create_directories(root + "/pkg/usr/libexec/xscreensaver");
  for (auto [executable, folder] :
       {std::pair{build + "/startup/linux/skyvault", source + "/"},
        {build + "/./startup/../skyvault", source + "/"},
        {root + "/build-other/skyvault", share},  // a name that only begins alike
        {root + "/pkg/usr/libexec/xscreensaver/skyvault", root + "/pkg" + share},
        {"", share}})
    EXPECT_EQ(DataFolderFor(executable, build, source), folder) << executable;
}

TEST(DataFolder, ThisTestRunsInTheBuildTreeAndFindsTheEngineSound) {
  EXPECT_EQ(LinuxDataFolder(), fs::path(SKYVAULT_DATA_DIR "/").lexically_normal().string());
  EXPECT_TRUE(fs::exists(LinuxDataFolder() + "Prop.wav"));
}

}  // namespace
}  // namespace skyvault
