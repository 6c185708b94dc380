#include "runtime/TextFile.h"

#include "runtime/Exceptions.h"
#include "runtime/Platform.h"

namespace dz {

namespace {

constexpr std::size_t kBufferSize = 4096;

FileSystem& PortFiles() { return Require(CurrentPlatform().files, "files"); }

void Check(std::uint32_t code) {
  if (code != 0) throw EInOutError(code);
}

}  // namespace

// --- reading -------------------------------------------------------------

TextFileReader::TextFileReader() : TextFileReader(PortFiles()) {}

TextFileReader::TextFileReader(FileSystem& files) : files_(files) {}

TextFileReader::~TextFileReader() {
  if (open_) files_.Close(handle_);  // a failed handler's file: nothing to report
}

void TextFileReader::Open(const std::string& path) {
  if (open_) Close();
  FileHandle handle = 0;
  Check(files_.OpenRead(path, handle));
  handle_ = handle;
  open_ = true;
  buffer_.resize(kBufferSize);
  next_ = end_ = 0;
}

bool TextFileReader::Fill() {
  if (!open_) throw EInOutError(kIoFileNotOpen);
  if (next_ < end_) return true;
  std::size_t got = 0;
  Check(files_.Read(handle_, buffer_.data(), buffer_.size(), got));
  next_ = 0;
  end_ = got < buffer_.size() ? got : buffer_.size();
  return end_ > 0;
}

std::string TextFileReader::ReadText() {
  std::string text;
  while (Fill()) {
    std::size_t stop = next_;
    while (stop < end_ && buffer_[stop] != '\n') ++stop;
    text.append(buffer_.data() + next_, stop - next_);
    next_ = stop;
    if (stop < end_) break;  // at the LF
  }
  // The CR of a CR LF belongs to the line end. A lone CR at the end of the
  // file stays part of the text, like any CR not followed by LF.
  if (!text.empty() && text.back() == '\r' && next_ < end_) text.pop_back();
  return text;
}

void TextFileReader::SkipLine() {
  while (Fill()) {
    while (next_ < end_) {
      if (buffer_[next_++] == '\n') return;
    }
  }
}

std::string TextFileReader::ReadLine() {
  std::string text = ReadText();
  SkipLine();
  return text;
}

bool TextFileReader::AtEnd() { return !Fill(); }

void TextFileReader::Close() {
  if (!open_) throw EInOutError(kIoFileNotOpen);
  open_ = false;
  Check(files_.Close(handle_));
}

// --- writing -------------------------------------------------------------

TextFileWriter::TextFileWriter() : TextFileWriter(PortFiles()) {}

TextFileWriter::TextFileWriter(FileSystem& files) : files_(files) {}

TextFileWriter::~TextFileWriter() { Discard(); }

void TextFileWriter::Discard() noexcept {
  if (!open_) return;
  open_ = false;
  files_.Close(handle_);
  files_.RemoveFile(temporary_);
}

void TextFileWriter::Fail(std::uint32_t code) {
  Discard();
  throw EInOutError(code);
}

void TextFileWriter::Create(const std::string& path) {
  Discard();
  target_ = path;
  temporary_ = TemporaryPath(path, files_.ProcessId());
  FileHandle handle = 0;
  Check(files_.CreateWrite(temporary_, handle));
  handle_ = handle;
  open_ = true;
}

void TextFileWriter::WriteLine(const std::string& text) {
  if (!open_) throw EInOutError(kIoFileNotOpen);
  const std::string line = text + "\r\n";
  std::size_t written = 0;
  if (std::uint32_t code = files_.Write(handle_, line.data(), line.size(), written)) Fail(code);
  if (written != line.size()) Fail(kIoDiskFull);
}

void TextFileWriter::Close() {
  if (!open_) throw EInOutError(kIoFileNotOpen);
  open_ = false;
  if (std::uint32_t code = files_.Close(handle_)) {
    files_.RemoveFile(temporary_);
    throw EInOutError(code);
  }
  if (std::uint32_t code = files_.MoveOver(temporary_, target_)) {
    files_.RemoveFile(temporary_);
    throw EInOutError(code);
  }
  RemoveLeftovers();
}

std::optional<std::uint32_t> TextFileWriter::TemporaryOwner(const std::string& target,
                                                            const std::string& file) {
  const std::string prefix = target + ".", suffix = ".tmp";
  if (file.size() <= prefix.size() + suffix.size() || file.compare(0, prefix.size(), prefix) != 0 ||
      file.compare(file.size() - suffix.size(), suffix.size(), suffix) != 0) {
    return std::nullopt;
  }
  const std::string digits = file.substr(prefix.size(), file.size() - prefix.size() - suffix.size());
  if (digits.size() > 10) return std::nullopt;
  std::uint64_t id = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    id = id * 10 + static_cast<std::uint64_t>(c - '0');
  }
  if (id > 0xFFFFFFFFu) return std::nullopt;
  return static_cast<std::uint32_t>(id);
}

void TextFileWriter::RemoveLeftovers() noexcept {
  // Tidying up is a courtesy: whatever fails here, the file is written.
  try {
    const std::uint32_t self = files_.ProcessId();
    for (const std::string& file : files_.FindFiles(target_ + ".*.tmp")) {
      const std::optional<std::uint32_t> owner = TemporaryOwner(target_, file);
      if (owner && *owner != self && !files_.ProcessExists(*owner)) files_.RemoveFile(file);
    }
  } catch (...) {
  }
}

}  // namespace dz
