#pragma once
// Plain text (CF_TEXT) onto the clipboard.
#include <windows.h>

#include <string>

namespace dz::win32 {

// Replaces the clipboard's content with `text`; false when the clipboard
// could not be opened or the memory not obtained.
bool CopyTextToClipboard(HWND owner, const std::string& text) noexcept;

// The clipboard's CF_TEXT content, or "" when there is none.
std::string ClipboardText(HWND owner);

}  // namespace dz::win32
