#pragma once
// The files port over the host's own files, with the host's errors turned
// into the Windows error numbers the program reports (2 file not found,
// 3 path not found, 4 too many open files, 5 access denied, 112 disk full).
#include <map>
#include <set>
#include <string>
#include <vector>

#include "runtime/Files.h"

namespace dz {

class HostFileSystem final : public FileSystem {
 public:
  // The folder ProgramFolder gives; empty: the current folder.
  explicit HostFileSystem(std::string programFolder = {});

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
  // This "process" is `processId`; of the others, those in `running` run.
  std::uint32_t ProcessId() override { return processId; }
  bool ProcessExists(std::uint32_t id) override { return id == processId || running.count(id) != 0; }

  std::uint32_t processId = 4242;
  std::set<std::uint32_t> running;
  // Files that another program holds: opening one to read fails with this
  // error number (32: in use; 5: access denied).
  std::map<std::string, std::uint32_t> readRefused;

  // The Windows error number for an errno value met with `path`.
  static std::uint32_t ErrorNumber(int error, const std::string& path);

 private:
  std::string programFolder_;
};

}  // namespace dz
