#pragma once
#include <string>
#include <vector>

namespace skyvault::win32 {

// The face names of the system's screen fonts, in the order the system
// enumerates them, each once (vertical "@" faces left out). Stops after
// `limit` distinct names.
std::vector<std::string> SystemScreenFonts(size_t limit);

}  // namespace skyvault::win32
