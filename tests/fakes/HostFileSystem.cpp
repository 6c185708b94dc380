#include "fakes/HostFileSystem.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace dz {

namespace fs = std::filesystem;

namespace {

std::FILE* AsFile(FileHandle handle) { return reinterpret_cast<std::FILE*>(handle); }

bool IsFolder(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(fs::path(path), ec);
}

}  // namespace

HostFileSystem::HostFileSystem(std::string programFolder) : programFolder_(std::move(programFolder)) {}

bool HostFileSystem::IsExistingFile(const std::string& name) {
  std::error_code ec;
  return fs::is_regular_file(fs::path(name), ec);
}

std::string HostFileSystem::ProgramFolder() {
  if (!programFolder_.empty()) return programFolder_;
  std::error_code ec;
  std::string folder = fs::current_path(ec).string();
  if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder += '/';
  return folder;
}

std::uint32_t HostFileSystem::ErrorNumber(int error, const std::string& path) {
  switch (error) {
    case ENOENT: {
      // Windows tells a missing folder (3) from a missing file (2).
      const fs::path parent = fs::path(path).parent_path();
      return parent.empty() || IsFolder(parent.string()) ? 2 : 3;
    }
    case ENOTDIR:
    case ENAMETOOLONG: return 3;
    case EMFILE: return 4;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return 5;  // Windows refuses to open a folder as a file this way
    case ENOSPC: return 112;
    default: return 1000u + static_cast<std::uint32_t>(error);
  }
}

std::uint32_t HostFileSystem::OpenRead(const std::string& path, FileHandle& handle) {
  if (IsFolder(path)) return 5;
  if (const auto refused = readRefused.find(path); refused != readRefused.end()) return refused->second;
  errno = 0;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return ErrorNumber(errno, path);
  handle = reinterpret_cast<FileHandle>(file);
  return 0;
}

std::uint32_t HostFileSystem::CreateWrite(const std::string& path, FileHandle& handle) {
  if (IsFolder(path)) return 5;
  errno = 0;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return ErrorNumber(errno, path);
  handle = reinterpret_cast<FileHandle>(file);
  return 0;
}

std::uint32_t HostFileSystem::Read(FileHandle handle, char* buffer, std::size_t size,
                                   std::size_t& got) {
  errno = 0;
  got = std::fread(buffer, 1, size, AsFile(handle));
  if (got < size && std::ferror(AsFile(handle))) return ErrorNumber(errno, {});
  return 0;
}

std::uint32_t HostFileSystem::Write(FileHandle handle, const char* data, std::size_t size,
                                    std::size_t& written) {
  errno = 0;
  written = std::fwrite(data, 1, size, AsFile(handle));
  // Buffered: a full disk may only show at the flush.
  if (written == size && std::fflush(AsFile(handle)) != 0) return ErrorNumber(errno, {});
  return written < size && errno != 0 ? ErrorNumber(errno, {}) : 0;
}

std::uint32_t HostFileSystem::Close(FileHandle handle) {
  errno = 0;
  return std::fclose(AsFile(handle)) == 0 ? 0 : ErrorNumber(errno, {});
}

std::uint32_t HostFileSystem::MoveOver(const std::string& from, const std::string& to) {
  if (IsFolder(to)) return 5;
  // Windows refuses to replace a read-only file, and so do we.
  std::error_code status;
  const fs::perms perms = fs::status(fs::path(to), status).permissions();
  if (!status && fs::exists(fs::path(to), status) &&
      (perms & fs::perms::owner_write) == fs::perms::none) {
    return 5;
  }
  errno = 0;
  if (std::rename(from.c_str(), to.c_str()) == 0) return 0;
  const int error = errno;
  // Some C runtimes refuse to rename over an existing file: replace it then.
  std::error_code ec;
  if ((error == EEXIST || error == EACCES) && fs::is_regular_file(fs::path(to), ec) &&
      std::remove(to.c_str()) == 0 && std::rename(from.c_str(), to.c_str()) == 0) {
    return 0;
  }
  return ErrorNumber(error, to);
}

void HostFileSystem::RemoveFile(const std::string& path) { std::remove(path.c_str()); }

std::vector<std::string> HostFileSystem::FindFiles(const std::string& pattern) {
  std::vector<std::string> found;
  const std::size_t cut = pattern.find_last_of("/\\");
  const std::string folder = cut == std::string::npos ? std::string() : pattern.substr(0, cut + 1);
  const std::string name = pattern.substr(folder.size());
  const std::size_t star = name.find('*');
  const std::string head = name.substr(0, star);
  const std::string tail = star == std::string::npos ? std::string() : name.substr(star + 1);
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder.empty() ? fs::path(".") : fs::path(folder), ec)) {
    if (!entry.is_regular_file(ec)) continue;
    const std::string file = entry.path().filename().string();
    const bool match = star == std::string::npos
                           ? file == name
                           : file.size() >= head.size() + tail.size() && file.starts_with(head) &&
                                 file.ends_with(tail);
    if (match) found.push_back(folder + file);
  }
  return found;
}

}  // namespace dz
