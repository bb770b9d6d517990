#pragma once
#include <string>
#include <vector>

namespace skyvault {

// How many of the system's screen fonts the dialog lists: reading them is slow.
inline constexpr size_t kListedFontCount = 40;

// The font list of the settings dialog: the first kListedFontCount distinct
// names of `systemFonts` (in the system's order), kept in alphabetical order
// (ignoring case, as a sorted list box does).
std::vector<std::string> ScreenFontList(const std::vector<std::string>& systemFonts);

// True when two font names are the same name, ignoring the case of ASCII letters.
bool SameFontName(const std::string& a, const std::string& b);

}  // namespace skyvault
