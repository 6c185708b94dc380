#pragma once
// Plain text (CF_TEXT) onto the clipboard.
#include <windows.h>

#include <string>

namespace dz::win32 {

// Replaces the clipboard's content with `text`; false when the clipboard
// could not be opened or the memory not obtained.
bool CopyTextToClipboard(HWND owner, const std::string& text) noexcept;

}  // namespace dz::win32
