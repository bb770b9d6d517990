#pragma once
// The one way Windows code includes <windows.h>: Unicode, lean, no min/max
// macros, and without the macros that would rename the drawing and sound
// controls' DrawText and PlaySound operations.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#undef DrawText
#undef PlaySound
#undef MessageBox
#undef CreateWindow

#include <string>

namespace skyvault::win32 {

// UTF-8 <-> UTF-16 for the Windows wide-character calls.
std::wstring Widen(const std::string& text);
std::string Narrow(const std::wstring& text);

}  // namespace skyvault::win32
