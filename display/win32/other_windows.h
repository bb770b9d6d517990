#pragma once

namespace skyvault::win32 {

// Destroys this process's preview window and settings dialog, wherever they
// are (the preview is a child of a window of another process); does nothing
// when neither exists.
void DestroyPreviewAndSetupWindows();

}  // namespace skyvault::win32
