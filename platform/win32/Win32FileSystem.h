#pragma once
// Files port on Win32. The text-file part (CreateFileA, ReadFile, WriteFile,
// CloseHandle, MoveFileExA) is in Win32TextFiles.cpp; IsExistingFile and
// ProgramFolder (FindFirstFileA, GetModuleFileNameA) in Win32FileQueries.cpp.
#include "runtime/Files.h"

namespace dz::win32 {

class Win32FileSystem final : public FileSystem {
 public:
  bool IsExistingFile(const std::string& name) override;
  std::string ProgramFolder() override;

  std::uint32_t OpenRead(const std::string& path, FileHandle& handle) override;
  std::uint32_t CreateWrite(const std::string& path, FileHandle& handle) override;
  std::uint32_t Read(FileHandle handle, char* buffer, std::size_t size, std::size_t& got) override;
  std::uint32_t Write(FileHandle handle, const char* data, std::size_t size,
                      std::size_t& written) override;
  std::uint32_t Close(FileHandle handle) override;
  std::uint32_t MoveOver(const std::string& from, const std::string& to) override;
  void RemoveFile(const std::string& path) override;
  std::vector<std::string> FindFiles(const std::string& pattern) override;
  std::uint32_t ProcessId() override;
  bool ProcessExists(std::uint32_t id) override;
};

}  // namespace dz::win32
