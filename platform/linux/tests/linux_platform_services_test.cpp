#include "platform/linux/linux_platform_services.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <clocale>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "platform/testing/temp_folder.h"

namespace skyvault {
namespace {

using std::chrono::milliseconds;

TEST(LinuxPlatformServices, ClocksAgreeWithTheSystem) {
  std::setlocale(LC_TIME, "C");
  LinuxPlatformServices platform;
  EXPECT_EQ(platform.FormatTime({13, 5, 9, 999}), "13:05:09");
  const uint32_t before = platform.TickCount();
  std::this_thread::sleep_for(milliseconds(20));
  const uint32_t elapsed = platform.TickCount() - before;
  EXPECT_TRUE(elapsed >= 20 && elapsed < 5000) << elapsed;
  const time_t now = time(nullptr);
  const tm local = *localtime(&now);
  const TimeOfDay t = platform.LocalTime();
  const double apart =
      t.SecondsSinceMidnight() - (local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec);
  EXPECT_TRUE(std::abs(apart) < 2 || std::abs(apart) > 86000) << apart;  // or midnight between
  EXPECT_LT(t.millisecond, 1000);
}

TEST(LinuxPlatformServices, RandomIsUniformInUnitRangeAndDiffersBetweenRuns) {
  LinuxPlatformServices first, second;
  double sum = 0;
  bool differs = false;
  for (int i = 0; i < 10000; ++i) {
    const double value = first.Random();
    ASSERT_TRUE(value >= 0 && value < 1) << value;
    sum += value, differs |= value != second.Random();
  }
  EXPECT_NEAR(sum / 10000, 0.5, 0.02);
  EXPECT_TRUE(differs);
}

TEST(LinuxPlatformServices, ShellOpenHandsTheTargetToXdgOpen) {
  const testing::TempFolder folder;
  const std::string dir = testing::Utf8(folder.path()), out = dir + "/opened";
  std::ofstream(dir + "/xdg-open")
      << "#!/bin/sh\nprintf '%s' \"$1\" > " << out << ".tmp && mv " << out << ".tmp " << out;
  chmod((dir + "/xdg-open").c_str(), 0755);
  const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
  setenv("PATH", (dir + ":" + path).c_str(), 1);
  LinuxPlatformServices().ShellOpen("https://example.org/a b?c=1");
  std::string opened;
  for (int i = 0; i < 500 && opened.empty(); ++i, std::this_thread::sleep_for(milliseconds(10)))
    std::getline(std::ifstream(out), opened);
  setenv("PATH", path.c_str(), 1);
  EXPECT_EQ(opened, "https://example.org/a b?c=1");
}

}  // namespace
}  // namespace skyvault
