#pragma once
#include <vector>

#include "platform/win32/win32_headers.h"

namespace skyvault::win32 {

// Windows of this process, each noted while it exists (WindowBase::NoteIn
// notes a window and takes it out again when it is destroyed).
class WindowList {
 public:
  void Add(HWND window);
  void Remove(HWND window);
  const std::vector<HWND>& windows() const { return windows_; }
  // Destroys every noted window that is still there; the list is empty after.
  void DestroyAll();

 private:
  std::vector<HWND> windows_;
};

// The preview window and the settings dialog of this process. The saver's
// ending unloads them, whether or not they exist.
WindowList& PreviewAndSetupWindows();

}  // namespace skyvault::win32
