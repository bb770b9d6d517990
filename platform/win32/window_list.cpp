#include "platform/win32/window_list.h"

#include <algorithm>

namespace skyvault::win32 {

void WindowList::Add(HWND window) {
  if (window && std::find(windows_.begin(), windows_.end(), window) == windows_.end()) {
    windows_.push_back(window);
  }
}

void WindowList::Remove(HWND window) { std::erase(windows_, window); }

void WindowList::DestroyAll() {
  // Destroying one may destroy others (its children) and change the list.
  const std::vector<HWND> noted = windows_;
  for (HWND window : noted) {
    if (IsWindow(window)) DestroyWindow(window);
  }
  windows_.clear();
}

WindowList& PreviewAndSetupWindows() {
  static WindowList list;
  return list;
}

}  // namespace skyvault::win32
