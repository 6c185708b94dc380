// IsExistingFile, ProgramFolder, FindFiles and the process queries of the
// Win32 files port.
#include <windows.h>

#include "platform/win32/SystemHandles.h"
#include "platform/win32/Win32FileSystem.h"
#include "runtime/Paths.h"

namespace dz::win32 {

namespace {

bool IsLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

// FindFirstFileA / FindClose.
class FindHandle {
 public:
  FindHandle(const std::string& name, WIN32_FIND_DATAA& data) noexcept
      : handle_(FindFirstFileA(name.c_str(), &data)) {}
  ~FindHandle() {
    if (Found()) FindClose(handle_);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  bool Found() const noexcept { return handle_ != INVALID_HANDLE_VALUE; }
  bool Next(WIN32_FIND_DATAA& data) noexcept { return FindNextFileA(handle_, &data) != FALSE; }

 private:
  HANDLE handle_;
};

}  // namespace

bool Win32FileSystem::IsExistingFile(const std::string& name) {
  WIN32_FIND_DATAA data{};
  {
    FindHandle search(name, data);
    if (!search.Found()) return false;
  }  // the search is closed before the checks
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  // The date must fit the old 16-bit form (1980 to 2107).
  FILETIME local{};
  if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local)) return false;
  WORD dosDate = 0, dosTime = 0;
  return FileTimeToDosDateTime(&local, &dosDate, &dosTime) != FALSE;
}

std::string Win32FileSystem::ProgramFolder() {
  char path[261] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  return FolderOfPath(std::string_view(path, length < sizeof path ? length : sizeof path - 1),
                      &IsLeadByte);
}

std::vector<std::string> Win32FileSystem::FindFiles(const std::string& pattern) {
  std::vector<std::string> found;
  const std::string folder = FolderOfPath(pattern, &IsLeadByte);
  WIN32_FIND_DATAA data{};
  FindHandle search(pattern, data);
  if (!search.Found()) return found;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) found.push_back(folder + data.cFileName);
  } while (search.Next(data));
  return found;
}

std::uint32_t Win32FileSystem::ProcessId() { return GetCurrentProcessId(); }

bool Win32FileSystem::ProcessExists(std::uint32_t id) {
  const KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
  if (!process.Get()) {
    // A process we may not look at still runs; only "no such process"
    // (an invalid parameter) says it is gone.
    return GetLastError() != ERROR_INVALID_PARAMETER;
  }
  DWORD code = 0;
  return !GetExitCodeProcess(process.Get(), &code) || code == STILL_ACTIVE;
}

}  // namespace dz::win32
