#pragma once
// Files port: file existence, the program's folder, and raw byte files for
// the text-file layer (runtime/TextFile.h). Paths are ANSI texts.
#include <cstddef>
#include <cstdint>
#include <string>

namespace dz {

using FileHandle = std::uintptr_t;

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // True for an existing file (not a folder) whose date converts; every
  // failure is false.
  virtual bool IsExistingFile(const std::string& name) = 0;
  // The folder of the running program, ending in its separator.
  virtual std::string ProgramFolder() = 0;

  // Each returns 0 or the platform's error number of the failing call.
  virtual std::uint32_t OpenRead(const std::string& path, FileHandle& handle) = 0;
  virtual std::uint32_t CreateWrite(const std::string& path, FileHandle& handle) = 0;  // create or truncate
  virtual std::uint32_t Read(FileHandle handle, char* buffer, std::size_t size, std::size_t& got) = 0;
  virtual std::uint32_t Write(FileHandle handle, const char* data, std::size_t size,
                              std::size_t& written) = 0;
  virtual std::uint32_t Close(FileHandle handle) = 0;
  // Renames `from` over `to`, replacing it in one step.
  virtual std::uint32_t MoveOver(const std::string& from, const std::string& to) = 0;
  virtual void RemoveFile(const std::string& path) = 0;
};

}  // namespace dz
