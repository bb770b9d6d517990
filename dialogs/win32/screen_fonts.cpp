#include "dialogs/win32/screen_fonts.h"

#include <algorithm>

#include "platform/win32/win32_headers.h"

namespace skyvault::win32 {
namespace {

struct Collected {
  std::vector<std::wstring> names;
  size_t limit;
};

int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM data) {
  auto* collected = reinterpret_cast<Collected*>(data);
  const std::wstring name = font->lfFaceName;
  if (!name.empty() && name[0] != L'@' &&
      std::find(collected->names.begin(), collected->names.end(), name) == collected->names.end()) {
    collected->names.push_back(name);
  }
  return collected->names.size() < collected->limit ? 1 : 0;
}

}  // namespace

std::vector<std::string> SystemScreenFonts(size_t limit) {
  Collected collected{{}, limit};
  if (limit == 0) return {};
  HDC screen = GetDC(nullptr);
  LOGFONTW all{};
  all.lfCharSet = DEFAULT_CHARSET;
  EnumFontFamiliesExW(screen, &all, CollectFace, reinterpret_cast<LPARAM>(&collected), 0);
  ReleaseDC(nullptr, screen);
  std::vector<std::string> names;
  names.reserve(collected.names.size());
  for (const std::wstring& name : collected.names) names.push_back(Narrow(name));
  return names;
}

}  // namespace skyvault::win32
