#pragma once
// System libraries come from the system folder only. Windows otherwise looks
// for a library in the program's own folder first, so a program unpacked
// into Downloads would load a DLL planted beside it under a system name.
#include <windows.h>

namespace dz::win32 {

// At start, before anything is loaded at run time: every later load by name,
// the program's own and those the system makes for it (the sound drivers,
// the visual style), searches the system folder only. On a Windows 7 without
// the update that brings this, the current folder at least leaves the search.
void LoadLibrariesFromSystemFolderOnly() noexcept;

// A system library by its file name, from the system folder only; null when
// it is not there.
HMODULE LoadSystemLibrary(const char* name) noexcept;

// A function a library exports, as the type `Fn`; null when the library is
// null or lacks it. Through the generic function type: a direct cast between
// unrelated function types is warned about.
template <class Fn>
Fn ExportedFunction(HMODULE library, const char* name) noexcept {
  return library ? reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(library, name))) : nullptr;
}

}  // namespace dz::win32
