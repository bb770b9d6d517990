#include "settings/linux/settings_path.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace skyvault {
namespace {

bool IsAbsolute(const char* path) { return path && path[0] == '/'; }

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

std::string SettingsFilePath(const char* xdgConfigHome, const char* home) {
  std::string config;
  if (IsAbsolute(xdgConfigHome)) {
    config = WithoutTrailingSlashes(xdgConfigHome);
  } else if (IsAbsolute(home)) {
    config = WithoutTrailingSlashes(home) + "/.config";
  } else {
    return {};
  }
  if (config == "/") config.clear();
  return config + "/skyvault/skyvault.ini";
}

std::string SettingsFilePath() {
  const char* home = std::getenv("HOME");
  if (!IsAbsolute(home)) {
    if (const passwd* user = getpwuid(getuid())) home = user->pw_dir;
  }
  return SettingsFilePath(std::getenv("XDG_CONFIG_HOME"), home);
}

}  // namespace skyvault
