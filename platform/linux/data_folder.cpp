#include "platform/linux/data_folder.h"

namespace skyvault {

// The repository's data folder, for a saver run from its build tree.
std::string LinuxDataFolder() { return SKYVAULT_SOURCE_DATA_DIR; }

}  // namespace skyvault
