#include "platform/linux/data_folder.h"

#include <cstdlib>

namespace skyvault {

// $SKYVAULT_DATA when set (a copy of the saver outside its build tree), else
// the repository's data folder, for a saver run from its build tree.
std::string LinuxDataFolder() {
  const char* data = std::getenv("SKYVAULT_DATA");
  if (data && *data) {
    std::string folder = data;
    if (folder.back() != '/') folder += '/';
    return folder;
  }
  return SKYVAULT_SOURCE_DATA_DIR;
}

}  // namespace skyvault
