#include <gtest/gtest.h>

#include "fakes/FakeShell.h"
#include "runtime/Paths.h"
#include "runtime/Platform.h"
#include "runtime/Shell.h"

namespace dz {
namespace {

TEST(ShellServices, EachRequestReachesThePortOnceWithItsValue) {
  FakeShell shell;
  Platform p;
  p.shell = &shell;
  ScopedPlatform scope(p);
  SetDisplayPower(false);
  SetDisplayPower(false);
  SetDisplayPower(true);
  LaunchVolumeControl();
  OpenWebSite();
  EXPECT_EQ(shell.log, (std::vector<std::string>{"power 2", "power 2", "power -1", "volume",
                                                 std::string("web ") + kWebSiteAddress}));
  EXPECT_EQ(std::string(kWebSiteAddress).rfind("http://", 0), 0u);
}

// Shift-JIS lead bytes.
bool ShiftJisLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

TEST(FolderOfPath, CutsAfterTheLastSeparatorAndKeepsIt) {
  EXPECT_EQ(FolderOfPath("C:\\Alarm\\app.exe", nullptr), "C:\\Alarm\\");
  EXPECT_EQ(FolderOfPath("C:app.exe", nullptr), "C:");
  EXPECT_EQ(FolderOfPath("\\\\server\\share\\a.exe", nullptr), "\\\\server\\share\\");
  EXPECT_EQ(FolderOfPath("app.exe", nullptr), "");
  EXPECT_EQ(FolderOfPath("", nullptr), "");
  EXPECT_EQ(FolderOfPath("C:\\Alarm\\", nullptr), "C:\\Alarm\\");
}

TEST(FolderOfPath, ATrailByteEqualToBackslashIsNoSeparator) {
  // "C:\<0x95 0x5C>\app.exe": a folder whose name is one double-byte
  // character ending in 0x5C, then the file.
  const std::string folder = std::string("C:\\\x95\x5C", 5);
  EXPECT_EQ(FolderOfPath(folder + "\\app.exe", ShiftJisLead), folder + "\\");
  EXPECT_EQ(FolderOfPath(folder + "x.exe", ShiftJisLead), "C:\\");
  // Read byte by byte the trail byte would have cut the name.
  EXPECT_EQ(FolderOfPath(folder + "x.exe", nullptr), folder);
  // A lead byte at the very end stands alone.
  EXPECT_EQ(FolderOfPath(std::string("C:\\a\x95", 5), ShiftJisLead), "C:\\");
}

}  // namespace
}  // namespace dz
