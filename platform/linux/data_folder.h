#pragma once
#include <string>

namespace skyvault {

// The folder of the saver's pictures, sound and help page, with a trailing
// "/": the repository's assets/data/ for a program run from the build tree
// it was built in, else share/skyvault/ beside the installed program
// (/usr/libexec/xscreensaver/skyvault finds /usr/share/skyvault/, and so
// does a package unpacked elsewhere), else /usr/share/skyvault/.
std::string LinuxDataFolder();

// The same rule for a program at `executable`, built in `buildTree` from a
// source tree whose data is at `sourceData`.
std::string DataFolderFor(const std::string& executable, const std::string& buildTree,
                          const std::string& sourceData);

}  // namespace skyvault
