#pragma once

namespace skyvault::win32 {

// The window classes the saver registers. Its dialogs (the settings dialog,
// the pickers) use the standard dialog class.
inline constexpr wchar_t kDisplayWindowClass[] = L"SkyvaultDisplay";
inline constexpr wchar_t kPreviewWindowClass[] = L"SkyvaultPreview";

}  // namespace skyvault::win32
