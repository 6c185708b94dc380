#include "platform/win32/SystemLibraries.h"

#include <cstring>

namespace dz::win32 {

void LoadLibrariesFromSystemFolderOnly() noexcept {
  // Looked up rather than imported: a Windows 7 without the update would
  // refuse to start a program that imports it.
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  const auto setDirectories = ExportedFunction<SetDefaultDllDirectoriesFn>(GetModuleHandleA("kernel32.dll"),
                                                                         "SetDefaultDllDirectories");
  if (setDirectories && setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
  SetDllDirectoryA("");
}

HMODULE LoadSystemLibrary(const char* name) noexcept {
  if (HMODULE library = LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return library;
  // A Windows 7 without the update does not know the flag: by full path.
  if (GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;
  char path[MAX_PATH];
  const UINT length = GetSystemDirectoryA(path, MAX_PATH);
  const std::size_t nameLength = std::strlen(name);
  if (length == 0 || length + 1 + nameLength >= MAX_PATH) return nullptr;
  path[length] = '\\';
  std::memcpy(path + length + 1, name, nameLength + 1);
  return LoadLibraryA(path);
}

}  // namespace dz::win32
