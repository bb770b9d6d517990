#include "display/win32/other_windows.h"

#include <vector>

#include "platform/win32/win32_headers.h"

namespace skyvault::win32 {
namespace {

// The window classes of the preview window and of the settings dialog.
constexpr const wchar_t* kOtherWindowClasses[] = {L"SkyvaultPreview", L"SkyvaultSetup"};

struct Search {
  DWORD process;
  std::vector<HWND> found;
};

void Consider(HWND window, Search& search) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != search.process) return;
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  for (const wchar_t* wanted : kOtherWindowClasses) {
    if (lstrcmpW(name, wanted) == 0) search.found.push_back(window);
  }
}

BOOL CALLBACK VisitChild(HWND window, LPARAM lp) {
  Consider(window, *reinterpret_cast<Search*>(lp));
  return TRUE;
}

BOOL CALLBACK VisitTop(HWND window, LPARAM lp) {
  Consider(window, *reinterpret_cast<Search*>(lp));
  EnumChildWindows(window, VisitChild, lp);
  return TRUE;
}

}  // namespace

void DestroyPreviewAndSetupWindows() {
  Search search{GetCurrentProcessId(), {}};
  EnumWindows(VisitTop, reinterpret_cast<LPARAM>(&search));
  for (HWND window : search.found) {
    if (IsWindow(window)) DestroyWindow(window);
  }
}

}  // namespace skyvault::win32
