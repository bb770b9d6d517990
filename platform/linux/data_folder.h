#pragma once
#include <string>

namespace skyvault {

// The folder that holds the saver's pictures, sound and help page, with its
// trailing separator.
std::string LinuxDataFolder();

}  // namespace skyvault
