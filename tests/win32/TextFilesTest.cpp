#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32FileSystem.h"
#include "runtime/DateTime.h"
#include "runtime/Exceptions.h"
#include "runtime/Platform.h"
#include "runtime/TextFile.h"

namespace dz::win32 {

namespace {

// A fresh folder under the temporary folder, removed with its files.
class TempFolder {
 public:
  TempFolder() {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    path_ = std::string(base) + "dz-textfiles-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(GetTickCount());
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~TempFolder() {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((path_ + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = path_ + "\\" + data.cFileName;
        SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveDirectoryA(name.c_str());
        } else {
          DeleteFileA(name.c_str());
        }
      } while (FindNextFileA(find, &data));
      FindClose(find);
    }
    RemoveDirectoryA(path_.c_str());
  }
  std::string File(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

std::string Get(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

template <class Action>
std::uint32_t CodeOf(Action action) {
  try {
    action();
  } catch (const EInOutError& e) {
    return e.Code();
  }
  return 0;
}

void WriteLines(FileSystem& files, const std::string& path, std::initializer_list<const char*> lines) {
  TextFileWriter out(files);
  out.Create(path);
  for (const char* line : lines) out.WriteLine(line);
  out.Close();
}

}  // namespace

TEST(Win32TextFiles, RoundTripGivesExactlyTheLinesWithCrLf) {
  TempFolder dir;
  Win32FileSystem files;
  const std::string path = dir.File("folderS.txt");
  WriteLines(files, path, {"C:\\windows\\media\\wakeup.wav", "06", "50", "2", "5"});
  EXPECT_EQ(Get(path), "C:\\windows\\media\\wakeup.wav\r\n06\r\n50\r\n2\r\n5\r\n");
  EXPECT_FALSE(Exists(TextFileWriter::TemporaryPath(path, files.ProcessId())));

  WriteLines(files, path, {"7"});  // replaces the old file
  EXPECT_EQ(Get(path), "7\r\n");

  TextFileReader in(files);
  in.Open(path);
  EXPECT_EQ(in.ReadLine(), "7");
  EXPECT_EQ(in.ReadLine(), "");
  in.Close();
}

TEST(Win32TextFiles, AWriteRemovesTheTemporaryFilesOfEndedProcessesOnly) {
  TempFolder dir;
  Win32FileSystem files;
  const std::string path = dir.File("folderS.txt");
  EXPECT_TRUE(files.ProcessExists(files.ProcessId()));
  // A process that has ended: started and waited for.
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION ended{};
  char command[] = "cmd.exe /c exit";
  ASSERT_TRUE(CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                             nullptr, &startup, &ended));
  WaitForSingleObject(ended.hProcess, 10000);
  CloseHandle(ended.hThread);
  CloseHandle(ended.hProcess);
  const std::string gone = TextFileWriter::TemporaryPath(path, ended.dwProcessId);
  for (const std::string& name : {gone, dir.File("folderS.txt.x.tmp")}) std::ofstream(name) << "x";
  WriteLines(files, path, {"7"});
  EXPECT_EQ(Get(path), "7\r\n");
  EXPECT_FALSE(Exists(gone));
  EXPECT_TRUE(Exists(dir.File("folderS.txt.x.tmp")));
}

TEST(Win32TextFiles, MissingFileAndFolderGiveTheirCodes) {
  TempFolder dir;
  Win32FileSystem files;
  TextFileReader in(files);
  EXPECT_EQ(CodeOf([&] { in.Open(dir.File("absent.txt")); }), 2u);
  EXPECT_EQ(CodeOf([&] { in.Open(dir.File("absent\\folderS.txt")); }), 3u);
  TextFileWriter out(files);
  EXPECT_EQ(CodeOf([&] { out.Create(dir.File("absent\\folderS.txt")); }), 3u);
}

TEST(Win32TextFiles, AReadOnlyTargetIsAccessDeniedAndKeepsItsContent) {
  TempFolder dir;
  Win32FileSystem files;
  const std::string path = dir.File("folderS.txt");
  WriteLines(files, path, {"old"});
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  try {
    WriteLines(files, path, {"new"});
    FAIL() << "a read-only file was replaced";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Code(), 5u);
    EXPECT_EQ(e.Message(), "File access denied");
  }
  EXPECT_EQ(Get(path), "old\r\n");
  EXPECT_FALSE(Exists(TextFileWriter::TemporaryPath(path, files.ProcessId())));
}

TEST(Win32TextFiles, AFolderNamedLikeTheTargetIsAccessDenied) {
  TempFolder dir;
  Win32FileSystem files;
  const std::string path = dir.File("folderS.txt");
  ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
  EXPECT_EQ(CodeOf([&] { WriteLines(files, path, {"x"}); }), 5u);
  TextFileReader in(files);
  EXPECT_EQ(CodeOf([&] { in.Open(path); }), 5u);
  EXPECT_FALSE(Exists(TextFileWriter::TemporaryPath(path, files.ProcessId())));
}

TEST(Win32Clock, ReadsTheLocalTime) {
  Win32Clock clock;
  Platform ports;
  ports.clock = &clock;
  ScopedPlatform scope(ports);
  SYSTEMTIME st{};
  GetLocalTime(&st);
  const Timestamp now = CurrentDateTime();
  EXPECT_NEAR(now, EncodeDate(st.wYear, st.wMonth, st.wDay) +
                       EncodeTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds),
              5.0 / 86400.0);
  EXPECT_EQ(clock.Now().dayOfWeek, DayOfWeek(now));
}

}  // namespace dz::win32
