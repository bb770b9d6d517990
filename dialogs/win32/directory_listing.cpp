#include "dialogs/win32/directory_listing.h"

#include <algorithm>

#include "dialogs/picker_paths.h"
#include "platform/win32/win32_headers.h"

namespace skyvault::win32 {
namespace {

void SortIgnoringCase(std::vector<std::wstring>& names) {
  std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_LESS_THAN;
  });
}

std::vector<std::string> Narrowed(const std::vector<std::wstring>& names) {
  std::vector<std::string> out;
  out.reserve(names.size());
  for (const std::wstring& name : names) out.push_back(Narrow(name));
  return out;
}

// The entries of `directory` matching `pattern`, directories or files.
std::vector<std::wstring> Entries(const std::string& directory, const std::string& pattern,
                                  bool directories) {
  std::vector<std::wstring> names;
  const std::wstring search = Widen(WithTrailingBackslash(directory) + pattern);
  WIN32_FIND_DATAW found{};
  HANDLE find =
      FindFirstFileExW(search.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const bool isDirectory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const std::wstring name = found.cFileName;
    if (isDirectory != directories || name == L"." || name == L"..") continue;
    names.push_back(name);
  } while (FindNextFileW(find, &found));
  FindClose(find);
  SortIgnoringCase(names);
  return names;
}

}  // namespace

std::vector<std::string> FilesIn(const std::string& directory, const std::string& pattern) {
  return Narrowed(Entries(directory, pattern, false));
}

std::vector<std::string> SubdirectoriesOf(const std::string& directory) {
  return Narrowed(Entries(directory, "*", true));
}

std::vector<std::string> Drives() {
  std::vector<std::string> drives;
  const DWORD mask = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (mask & (1u << i)) drives.push_back(std::string(1, static_cast<char>('A' + i)) + ":");
  }
  return drives;
}

std::optional<std::string> CurrentDirectoryOn(const std::string& drive) {
  wchar_t full[MAX_PATH * 2] = {};
  const std::wstring wide = Widen(drive);
  const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  const DWORD length = GetFullPathNameW(wide.c_str(), MAX_PATH * 2, full, nullptr);
  const bool readable =
      length > 0 && length < MAX_PATH * 2 && GetFileAttributesW(full) != INVALID_FILE_ATTRIBUTES;
  SetErrorMode(oldMode);
  if (!readable) return std::nullopt;
  return Narrow(full);
}

std::string ProcessCurrentDirectory() {
  wchar_t path[MAX_PATH * 2] = {};
  GetCurrentDirectoryW(MAX_PATH * 2, path);
  return Narrow(path);
}

}  // namespace skyvault::win32
