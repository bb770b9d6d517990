#include "platform/linux/linux_platform_services.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>

#include "platform/linux/data_folder.h"

extern char** environ;

namespace skyvault {
namespace {

timespec Clock(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return now;
}

}  // namespace

LinuxPlatformServices::LinuxPlatformServices() {
  // Seeded once per run, so each run's heights differ.
  const timespec now = Clock(CLOCK_MONOTONIC);
  random_.seed(static_cast<uint32_t>(now.tv_nsec ^ now.tv_sec) ^ static_cast<uint32_t>(getpid()));
}

uint32_t LinuxPlatformServices::TickCount() {
  const timespec now = Clock(CLOCK_MONOTONIC);
  const uint64_t ms = static_cast<uint64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1'000'000;
  return static_cast<uint32_t>(ms);  // wraps as the system's tick count does
}

TimeOfDay LinuxPlatformServices::LocalTime() {
  const timespec now = Clock(CLOCK_REALTIME);
  tm local{};
  localtime_r(&now.tv_sec, &local);
  return {local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(now.tv_nsec / 1'000'000)};
}

std::string LinuxPlatformServices::FormatTime(const TimeOfDay& time) {
  tm at{};
  at.tm_year = 100;
  at.tm_mday = 1;
  at.tm_hour = time.hour;
  at.tm_min = time.minute;
  at.tm_sec = time.second;
  char text[64];
  if (strftime(text, sizeof text, "%X", &at) == 0) {
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", time.hour, time.minute, time.second);
  }
  return text;
}

double LinuxPlatformServices::Random() { return unit_(random_); }

void LinuxPlatformServices::ShowCursor(bool show) {
  if (showCursor) showCursor(show);
}

void LinuxPlatformServices::SetScreenSaverRunning(bool) {}

void LinuxPlatformServices::ShowMessage(const std::string& text, const std::string& title,
                                        MessageBoxKind) {
  std::fprintf(stderr, "%s%s%s\n", title.c_str(), title.empty() ? "" : ": ", text.c_str());
}

void LinuxPlatformServices::ShellOpen(const std::string& target) {
  // Double fork: xdg-open runs on its own and leaves no zombie behind.
  const pid_t child = fork();
  if (child == 0) {
    setsid();
    pid_t opener = 0;
    char program[] = "xdg-open";
    std::string argument = target;
    char* argv[] = {program, argument.data(), nullptr};
    const int failed = posix_spawnp(&opener, program, nullptr, nullptr, argv, environ);
    _exit(failed ? 127 : 0);
  }
  if (child > 0) waitpid(child, nullptr, 0);
}

std::string LinuxPlatformServices::DataFolder() { return LinuxDataFolder(); }

bool LinuxPlatformServices::FileExists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0;
}

}  // namespace skyvault
