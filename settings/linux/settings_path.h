#pragma once
#include <string>

namespace skyvault {

// Where the settings file lives: "<config>/skyvault/skyvault.ini", with
// <config> the XDG base directory for configuration: $XDG_CONFIG_HOME when
// it is an absolute path, else $HOME/.config. Empty when neither is known.
std::string SettingsFilePath(const char* xdgConfigHome, const char* home);

// The same from this process's environment (the password database's home
// when HOME is unset).
std::string SettingsFilePath();

}  // namespace skyvault
