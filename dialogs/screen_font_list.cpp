#include "dialogs/screen_font_list.h"

#include <algorithm>

namespace skyvault {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool AlphabeticallyBefore(const std::string& a, const std::string& b) {
  const bool less = std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) { return Lower(x) < Lower(y); });
  if (less) return true;
  if (SameFontName(a, b)) return a < b;  // a stable, total order
  return false;
}

}  // namespace

bool SameFontName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return Lower(x) == Lower(y); });
}

std::vector<std::string> ScreenFontList(const std::vector<std::string>& systemFonts) {
  std::vector<std::string> list;
  for (const std::string& name : systemFonts) {
    if (list.size() == kListedFontCount) break;
    if (name.empty()) continue;
    if (std::find(list.begin(), list.end(), name) != list.end()) continue;
    list.push_back(name);
  }
  std::sort(list.begin(), list.end(), AlphabeticallyBefore);
  return list;
}

}  // namespace skyvault
