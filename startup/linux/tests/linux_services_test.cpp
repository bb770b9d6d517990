#include "startup/linux/linux_services.h"

#include <stdlib.h>

#include <gtest/gtest.h>

#include "platform/testing/temp_folder.h"
#include "settings/settings_schema.h"

namespace skyvault {
namespace {

TEST(LinuxServices, TheCommandLineOverridesTheFileForThisRunOnly) {
  const testing::TempFolder temp;
  const std::string config = testing::Utf8(temp.path());
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  {
    auto store = MakeSettingsStore({"--window-id", "0x400001", "--speed", "9", "--no-clock"});
    ASSERT_TRUE(NeedsFirstRunValues(*store));
    WriteFirstRunValues(*store, "/usr/share/skyvault/");
    EXPECT_EQ(ReadSetting(*store, kStartup, keys::Speed), "9");
  }
  auto next = MakeSettingsStore({});
  EXPECT_FALSE(NeedsFirstRunValues(*next));
  EXPECT_EQ(ReadSetting(*next, kStartup, keys::Speed), "3");
  unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace skyvault
