#pragma once
// Files port: file existence, the program's folder, and raw byte files for
// the text-file layer (runtime/TextFile.h). Paths are ANSI texts.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

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
  // The files whose names match `pattern`: a path whose last part may hold
  // one "*" standing for any run of characters. Full paths; none on failure.
  virtual std::vector<std::string> FindFiles(const std::string& pattern) = 0;

  // The running process, whose number names the temporary files it writes,
  // and whether a process of a given number still runs (a file named after
  // one that does not was left behind by a crash).
  virtual std::uint32_t ProcessId() = 0;
  virtual bool ProcessExists(std::uint32_t id) = 0;
};

}  // namespace dz
