// The text-file half of the Win32 files port: raw byte files with the
// platform's error numbers, which the text-file layer turns into I/O errors.
#include <windows.h>

#include <limits>

#include "platform/win32/Win32FileSystem.h"

namespace dz::win32 {

namespace {

HANDLE AsHandle(FileHandle handle) { return reinterpret_cast<HANDLE>(handle); }

std::uint32_t Open(const std::string& path, DWORD access, DWORD share, DWORD disposition,
                   FileHandle& handle) {
  HANDLE file = CreateFileA(path.c_str(), access, share, nullptr, disposition,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();
  handle = reinterpret_cast<FileHandle>(file);
  return 0;
}

// One call moves at most this much; larger requests loop.
constexpr std::size_t kMaxChunk = std::numeric_limits<DWORD>::max() / 2;

}  // namespace

std::uint32_t Win32FileSystem::OpenRead(const std::string& path, FileHandle& handle) {
  return Open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, handle);
}

std::uint32_t Win32FileSystem::CreateWrite(const std::string& path, FileHandle& handle) {
  return Open(path, GENERIC_WRITE, 0, CREATE_ALWAYS, handle);
}

std::uint32_t Win32FileSystem::Read(FileHandle handle, char* buffer, std::size_t size,
                                    std::size_t& got) {
  DWORD read = 0;
  const DWORD ask = static_cast<DWORD>(size < kMaxChunk ? size : kMaxChunk);
  got = 0;
  if (!ReadFile(AsHandle(handle), buffer, ask, &read, nullptr)) return GetLastError();
  got = read;
  return 0;
}

std::uint32_t Win32FileSystem::Write(FileHandle handle, const char* data, std::size_t size,
                                     std::size_t& written) {
  written = 0;
  while (written < size) {
    const std::size_t left = size - written;
    const DWORD ask = static_cast<DWORD>(left < kMaxChunk ? left : kMaxChunk);
    DWORD done = 0;
    if (!WriteFile(AsHandle(handle), data + written, ask, &done, nullptr)) return GetLastError();
    if (done == 0) break;  // the caller sees the short write
    written += done;
  }
  return 0;
}

std::uint32_t Win32FileSystem::Close(FileHandle handle) {
  return CloseHandle(AsHandle(handle)) ? 0 : GetLastError();
}

std::uint32_t Win32FileSystem::MoveOver(const std::string& from, const std::string& to) {
  // Windows refuses to replace a read-only file; Wine replaces it. Ask first,
  // so a read-only settings file is "File access denied" everywhere.
  const DWORD attributes = GetFileAttributesA(to.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
      !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return ERROR_ACCESS_DENIED;
  }
  // Write-through: the move is on disk before we report the settings saved.
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
             ? 0
             : GetLastError();
}

void Win32FileSystem::RemoveFile(const std::string& path) { DeleteFileA(path.c_str()); }

}  // namespace dz::win32
