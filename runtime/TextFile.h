#pragma once
// Line-oriented text files over the files port. Every operation checks its
// I/O result at once and raises EInOutError with the I/O code of the failing
// call: the platform's error number, or 101 ("Disk full") for a short write
// and 103 for use of a file that is not open.
//
// Line grammar: a line ends at LF, with or without a CR right before it; a
// CR anywhere else belongs to the text. Lines have no length limit. At the
// end of the file a missing line reads as an empty text, without error.
// Lines are written as the text followed by CR LF.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "runtime/Files.h"

namespace dz {

inline constexpr std::uint32_t kIoDiskFull = 101;
inline constexpr std::uint32_t kIoFileNotOpen = 103;

// Reads a text file from the start. Closes the file when destroyed.
class TextFileReader {
 public:
  // Uses the files port of CurrentPlatform().
  TextFileReader();
  explicit TextFileReader(FileSystem& files);
  ~TextFileReader();
  TextFileReader(const TextFileReader&) = delete;
  TextFileReader& operator=(const TextFileReader&) = delete;

  void Open(const std::string& path);
  // The rest of the current line, without its line end; the position stays
  // before the line end.
  std::string ReadText();
  // Skips the rest of the current line and its line end.
  void SkipLine();
  // ReadText, then SkipLine: the whole line.
  std::string ReadLine();
  bool AtEnd();
  void Close();

 private:
  // Makes sure at least one unread byte is buffered; false at end of file.
  bool Fill();

  FileSystem& files_;
  FileHandle handle_ = 0;
  bool open_ = false;
  std::vector<char> buffer_;
  std::size_t next_ = 0, end_ = 0;
};

// Writes a text file without ever leaving half a file: the lines go to a
// temporary file beside the target, and Close moves it over the target in
// one step. On any failure, and when destroyed before Close, the temporary
// file is removed and the target is left as it was.
//
// The temporary file is named after the writing process ("<target>.<process
// number>.tmp"), so two copies of the program writing the same target at
// once never share one. A successful Close also removes the temporary files
// of that target left behind by processes that no longer run (a crash or a
// power cut in the middle of a write); those of running ones are theirs.
class TextFileWriter {
 public:
  TextFileWriter();
  explicit TextFileWriter(FileSystem& files);
  ~TextFileWriter();
  TextFileWriter(const TextFileWriter&) = delete;
  TextFileWriter& operator=(const TextFileWriter&) = delete;

  // Creates the file, or empties it when it exists (as seen after Close).
  void Create(const std::string& path);
  // Writes the text followed by CR LF.
  void WriteLine(const std::string& text);
  // Finishes the file: closes it and puts it in place of the target.
  void Close();

  // The temporary file a process writes for a target.
  static std::string TemporaryPath(const std::string& path, std::uint32_t processId) {
    return path + "." + std::to_string(processId) + ".tmp";
  }
  // The process number in a temporary file name of the target, or nothing
  // when the name is not one of ours.
  static std::optional<std::uint32_t> TemporaryOwner(const std::string& target,
                                                     const std::string& file);

 private:
  [[noreturn]] void Fail(std::uint32_t code);
  void Discard() noexcept;
  void RemoveLeftovers() noexcept;

  FileSystem& files_;
  FileHandle handle_ = 0;
  bool open_ = false;
  std::string target_, temporary_;
};

}  // namespace dz
