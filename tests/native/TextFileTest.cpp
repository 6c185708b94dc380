#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "fakes/HostFileSystem.h"
#include "fakes/TempFolder.h"
#include "runtime/Exceptions.h"
#include "runtime/Platform.h"
#include "runtime/TextFile.h"

namespace dz {

namespace fs = std::filesystem;

namespace {

void Put(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string Get(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t CodeOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EInOutError& e) {
    return e.Code();
  }
  return 0;
}

// Passes everything to the host, failing one chosen call on request.
class FaultyFileSystem final : public FileSystem {
 public:
  bool IsExistingFile(const std::string& name) override { return host.IsExistingFile(name); }
  std::string ProgramFolder() override { return host.ProgramFolder(); }
  std::uint32_t OpenRead(const std::string& path, FileHandle& handle) override {
    return host.OpenRead(path, handle);
  }
  std::uint32_t CreateWrite(const std::string& path, FileHandle& handle) override {
    return host.CreateWrite(path, handle);
  }
  std::uint32_t Read(FileHandle handle, char* buffer, std::size_t size, std::size_t& got) override {
    if (readError) return readError;
    return host.Read(handle, buffer, size, got);
  }
  std::uint32_t Write(FileHandle handle, const char* data, std::size_t size,
                      std::size_t& written) override {
    if (++writes == failWrite) {
      if (writeError) return writeError;
      return host.Write(handle, data, size / 2, written);  // a short write
    }
    return host.Write(handle, data, size, written);
  }
  std::uint32_t Close(FileHandle handle) override {
    const std::uint32_t code = host.Close(handle);
    return closeError ? closeError : code;
  }
  std::uint32_t MoveOver(const std::string& from, const std::string& to) override {
    return moveError ? moveError : host.MoveOver(from, to);
  }
  void RemoveFile(const std::string& path) override { host.RemoveFile(path); }
  std::vector<std::string> FindFiles(const std::string& pattern) override {
    return host.FindFiles(pattern);
  }
  std::uint32_t ProcessId() override { return host.ProcessId(); }
  bool ProcessExists(std::uint32_t id) override { return host.ProcessExists(id); }

  HostFileSystem host;
  int writes = 0, failWrite = 0;
  std::uint32_t writeError = 0, readError = 0, closeError = 0, moveError = 0;
};

}  // namespace

TEST(TextFileLines, RoundTripWritesCrLfAndReadsTheSameTexts) {
  TempFolder dir;
  HostFileSystem files;
  const std::string path = dir.File("folderS.txt");
  TextFileWriter out(files);
  out.Create(path);
  for (const char* line : {"C:\\Sounds\\wake up.mp3", "06", "", "2", "5"}) out.WriteLine(line);
  out.Close();
  EXPECT_EQ(Get(path), "C:\\Sounds\\wake up.mp3\r\n06\r\n\r\n2\r\n5\r\n");
  EXPECT_FALSE(fs::exists(TextFileWriter::TemporaryPath(path, files.ProcessId())));

  TextFileReader in(files);
  in.Open(path);
  EXPECT_EQ(in.ReadLine(), "C:\\Sounds\\wake up.mp3");
  EXPECT_EQ(in.ReadLine(), "06");
  EXPECT_EQ(in.ReadLine(), "");
  EXPECT_EQ(in.ReadLine(), "2");
  EXPECT_EQ(in.ReadLine(), "5");
  EXPECT_TRUE(in.AtEnd());
  in.Close();
}

TEST(TextFileLines, LfAloneEndsALineAndALoneCrBelongsToTheText) {
  TempFolder dir;
  HostFileSystem files;
  const std::string path = dir.File("mixed.txt");
  Put(path, "one\ntwo\r\nth\rree\r\r\nlast\r");
  TextFileReader in(files);
  in.Open(path);
  EXPECT_EQ(in.ReadLine(), "one");
  EXPECT_EQ(in.ReadLine(), "two");
  EXPECT_EQ(in.ReadLine(), "th\rree\r");
  EXPECT_EQ(in.ReadLine(), "last\r");  // no LF follows: not a line end
  EXPECT_EQ(in.ReadLine(), "");
}

TEST(TextFileLines, MissingLinesAtTheEndReadAsEmptyTexts) {
  TempFolder dir;
  HostFileSystem files;
  const std::string path = dir.File("short.txt");
  Put(path, "song.wav\r\n7");
  TextFileReader in(files);
  in.Open(path);
  EXPECT_EQ(in.ReadLine(), "song.wav");
  EXPECT_EQ(in.ReadLine(), "7");
  EXPECT_EQ(in.ReadLine(), "");
  EXPECT_EQ(in.ReadLine(), "");
  in.SkipLine();
  in.Close();

  Put(path, "");
  in.Open(path);
  EXPECT_EQ(in.ReadLine(), "");
  in.Close();
}

TEST(TextFileLines, LongLinesAcrossBufferBoundariesAndCrLfSplitBetweenReads) {
  TempFolder dir;
  HostFileSystem files;
  const std::string path = dir.File("long.txt");
  const std::string longLine(100000, 'x');
  const std::string splitCr(4095, 'y');  // its CR is the last byte of the first read
  Put(path, splitCr + "\r\n" + longLine + "\r\nend\r\n");
  TextFileReader in(files);
  in.Open(path);
  EXPECT_EQ(in.ReadLine(), splitCr);
  EXPECT_EQ(in.ReadLine(), longLine);
  EXPECT_EQ(in.ReadText(), "end");
  in.SkipLine();
  EXPECT_TRUE(in.AtEnd());
}

TEST(TextFileLines, ReadTextStopsBeforeTheLineEndAndSkipLineDropsTheRest) {
  TempFolder dir;
  HostFileSystem files;
  const std::string path = dir.File("skip.txt");
  Put(path, "a\r\nb\r\n");
  TextFileReader in(files);
  in.Open(path);
  EXPECT_EQ(in.ReadText(), "a");
  EXPECT_EQ(in.ReadText(), "");  // still before the line end
  in.SkipLine();
  EXPECT_EQ(in.ReadLine(), "b");
}

TEST(TextFileErrors, OpeningForReadGivesThePlatformCodes) {
  TempFolder dir;
  HostFileSystem files;
  TextFileReader in(files);
  EXPECT_EQ(CodeOf([&] { in.Open(dir.File("absent.txt")); }), 2u);
  EXPECT_EQ(CodeOf([&] { in.Open(dir.File("no-folder/absent.txt")); }), 3u);
  EXPECT_EQ(CodeOf([&] { in.Open(dir.Path().string()); }), 5u);
  try {
    in.Open(dir.File("absent.txt"));
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Message(), "File not found");
  }
  EXPECT_EQ(CodeOf([&] { in.ReadLine(); }), kIoFileNotOpen);
}

TEST(TextFileErrors, AFailedReadRaisesItsCode) {
  TempFolder dir;
  FaultyFileSystem files;
  const std::string path = dir.File("f.txt");
  Put(path, "x\r\n");
  TextFileReader in(files);
  in.Open(path);
  files.readError = 23;
  try {
    in.ReadLine();
    FAIL();
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Code(), 23u);
    EXPECT_EQ(e.Message(), "I/O error 23");
  }
}

TEST(TextFileWriting, CreatingWhereNoFolderIsOrAFolderStandsGivesTheCodes) {
  TempFolder dir;
  HostFileSystem files;
  TextFileWriter out(files);
  EXPECT_EQ(CodeOf([&] { out.Create(dir.File("missing/folderS.txt")); }), 3u);

  // A folder bearing the target's name: the file can't take its place.
  const std::string target = dir.File("folderS.txt");
  fs::create_directory(target);
  EXPECT_EQ(CodeOf([&] {
              out.Create(target);
              out.WriteLine("06");
              out.Close();
            }),
            5u);
  EXPECT_TRUE(fs::is_directory(target));
  EXPECT_FALSE(fs::exists(TextFileWriter::TemporaryPath(target, files.ProcessId())));
}

TEST(TextFileWriting, AReadOnlyTargetIsAccessDeniedAndKeepsItsContent) {
  TempFolder dir;
  HostFileSystem files;
  const std::string path = dir.File("folderS.txt");
  Put(path, "old\r\n");
  fs::permissions(path, fs::perms::owner_read);
  TextFileWriter out(files);
  out.Create(path);
  out.WriteLine("new");
  EXPECT_EQ(CodeOf([&] { out.Close(); }), 5u);
  EXPECT_EQ(Get(path), "old\r\n");
  EXPECT_FALSE(fs::exists(TextFileWriter::TemporaryPath(path, files.ProcessId())));
}

TEST(TextFileWriting, AReadOnlyFolderIsRefusedWithAccessDenied) {
  TempFolder dir;
  HostFileSystem files;
  fs::permissions(dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
  if (std::FILE* probe = std::fopen(dir.File("probe").c_str(), "wb")) {
    std::fclose(probe);
    GTEST_SKIP() << "this user may write into read-only folders";
  }
  TextFileWriter out(files);
  EXPECT_EQ(CodeOf([&] { out.Create(dir.File("folderS.txt")); }), 5u);
}

TEST(TextFileWriting, ShortWriteIsDiskFullAndTheOldFileStays) {
  TempFolder dir;
  FaultyFileSystem files;
  const std::string path = dir.File("folderS.txt");
  Put(path, "old\r\n");
  files.failWrite = 2;
  TextFileWriter out(files);
  out.Create(path);
  out.WriteLine("first");
  try {
    out.WriteLine("second");
    FAIL();
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Code(), kIoDiskFull);
    EXPECT_EQ(e.Message(), "Disk full");
  }
  EXPECT_EQ(Get(path), "old\r\n");
  EXPECT_FALSE(fs::exists(TextFileWriter::TemporaryPath(path, files.ProcessId())));
  EXPECT_EQ(CodeOf([&] { out.WriteLine("third"); }), kIoFileNotOpen);
}

TEST(TextFileWriting, EveryFailureLeavesTheOldFileWhole) {
  TempFolder dir;
  const std::string path = dir.File("folderS.txt");
  const auto attempt = [&](FaultyFileSystem& files) {
    Put(path, "old\r\n");
    const std::uint32_t code = CodeOf([&] {
      TextFileWriter out(files);
      out.Create(path);
      out.WriteLine("new");
      out.WriteLine("lines");
      out.Close();
    });
    EXPECT_EQ(Get(path), "old\r\n");
    EXPECT_FALSE(fs::exists(TextFileWriter::TemporaryPath(path, files.ProcessId())));
    return code;
  };
  {
    FaultyFileSystem files;
    files.failWrite = 1;
    files.writeError = 112;
    EXPECT_EQ(attempt(files), 112u);
  }
  {
    FaultyFileSystem files;
    files.closeError = 31;
    EXPECT_EQ(attempt(files), 31u);
  }
  {
    FaultyFileSystem files;
    files.moveError = 32;
    EXPECT_EQ(attempt(files), 32u);
  }
}

TEST(TextFileWriting, AnAbandonedWriterRemovesItsTemporaryFile) {
  TempFolder dir;
  HostFileSystem files;
  const std::string path = dir.File("folderS.txt");
  Put(path, "old\r\n");
  {
    TextFileWriter out(files);
    out.Create(path);
    out.WriteLine("half");
  }
  EXPECT_EQ(Get(path), "old\r\n");
  EXPECT_FALSE(fs::exists(TextFileWriter::TemporaryPath(path, files.ProcessId())));
}

TEST(TextFileWriting, ReplacesAnExistingFileAndUsesThePlatformPortByDefault) {
  TempFolder dir;
  HostFileSystem files;
  Platform ports;
  ports.files = &files;
  ScopedPlatform scope(ports);
  const std::string path = dir.File("folderS.txt");
  Put(path, "a much longer old content\r\nwith lines\r\n");
  TextFileWriter out;
  out.Create(path);
  out.WriteLine("5");
  out.Close();
  EXPECT_EQ(Get(path), "5\r\n");
  TextFileReader in;
  in.Open(path);
  EXPECT_EQ(in.ReadLine(), "5");
  in.Close();
}

TEST(TextFileWriting, TwoProcessesWritingAtOnceEachLeaveAWholeFile) {
  TempFolder dir;
  HostFileSystem first, second;
  second.processId = first.processId + 1;
  first.running = {second.processId};
  second.running = {first.processId};
  const std::string path = dir.File("folderS.txt");
  TextFileWriter a(first), b(second);
  a.Create(path);
  b.Create(path);
  for (const char* line : {"C:\\a.wav", "06", "50", "2", "5"}) {
    a.WriteLine(line);
    b.WriteLine(std::string(line) + "0");
  }
  a.Close();
  EXPECT_EQ(Get(path), "C:\\a.wav\r\n06\r\n50\r\n2\r\n5\r\n");
  b.Close();  // its temporary file was left alone
  EXPECT_EQ(Get(path), "C:\\a.wav0\r\n060\r\n500\r\n20\r\n50\r\n");
}

}  // namespace dz
