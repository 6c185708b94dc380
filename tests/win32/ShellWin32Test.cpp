#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <mmsystem.h>

#include <memory>
#include <string>
#include <vector>

#include "media/MediaPlayer.h"
#include "platform/win32/AppWindow.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Application.h"
#include "platform/win32/Win32Peers.h"
#include "platform/win32/Win32Runtime.h"
#include "runtime/Shell.h"
#include "ui/Forms.h"

namespace dz::win32 {
namespace {

std::string ExePath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

std::string TempFolder() {
  char path[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, path);
  return path;
}

class PlatformServices : public ::testing::Test {
 protected:
  PlatformServices() : scope_(MakePlatform()) {}
  static Platform MakePlatform() {
    Platform platform = Win32Platform();
    AddWin32ControlPorts(platform);
    return platform;
  }
  ScopedPlatform scope_;
  Win32FileSystem files_;
};

TEST_F(PlatformServices, ProgramFolderIsTheExecutablesFolderWithItsBackslash) {
  const std::string exe = ExePath();
  const std::string folder = files_.ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '\\');
  EXPECT_EQ(exe.rfind(folder, 0), 0u);
  EXPECT_EQ(exe.find('\\', folder.size()), std::string::npos);
}

TEST_F(PlatformServices, IsExistingFileIsTrueOnlyForFiles) {
  const std::string exe = ExePath();
  EXPECT_TRUE(files_.IsExistingFile(exe));
  EXPECT_FALSE(files_.IsExistingFile(files_.ProgramFolder()));
  std::string folder = files_.ProgramFolder();
  folder.pop_back();
  EXPECT_FALSE(files_.IsExistingFile(folder));
  EXPECT_FALSE(files_.IsExistingFile(""));
  EXPECT_FALSE(files_.IsExistingFile(exe + ".missing"));
  // The search takes wildcards: its first match decides.
  EXPECT_TRUE(files_.IsExistingFile(files_.ProgramFolder() + "*.exe"));
}

TEST_F(PlatformServices, AFileDatedBefore1980DoesNotExist) {
  const std::string name = TempFolder() + "dz_old_file.txt";
  HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  SYSTEMTIME old{};
  old.wYear = 1975;
  old.wMonth = 6;
  old.wDay = 15;
  old.wHour = 12;
  FILETIME stamp{};
  SystemTimeToFileTime(&old, &stamp);
  SetFileTime(file, nullptr, nullptr, &stamp);
  CloseHandle(file);
  EXPECT_FALSE(files_.IsExistingFile(name));
  DeleteFileA(name.c_str());
}

struct SeenCommand {
  WPARAM wParam;
  LPARAM lParam;
};
std::vector<SeenCommand> g_seen;

LRESULT CALLBACK Observe(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (msg == WM_SYSCOMMAND) g_seen.push_back({wParam, lParam});
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

TEST_F(PlatformServices, DisplayPowerIsASystemCommandToTheApplicationWindow) {
  HWND app = ApplicationWindowHandle();
  ASSERT_NE(app, nullptr);
  g_seen.clear();
  ASSERT_TRUE(SetWindowSubclass(app, &Observe, 1, 0));
  SetDisplayPower(false);
  SetDisplayPower(true);
  RemoveWindowSubclass(app, &Observe, 1);
  ASSERT_EQ(g_seen.size(), 2u);
  EXPECT_EQ(g_seen[0].wParam & 0xFFF0, static_cast<WPARAM>(SC_MONITORPOWER));
  EXPECT_EQ(g_seen[0].lParam, 2);
  EXPECT_EQ(g_seen[1].wParam & 0xFFF0, static_cast<WPARAM>(SC_MONITORPOWER));
  EXPECT_EQ(g_seen[1].lParam, -1);
}

BOOL CALLBACK CountVisible(HWND hwnd, LPARAM count) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == GetCurrentProcessId() && IsWindowVisible(hwnd)) ++*reinterpret_cast<int*>(count);
  return TRUE;
}

TEST_F(PlatformServices, AMissingVolumeControlReturnsAtOnceWithoutAMessage) {
  int before = 0, after = 0;
  EnumWindows(&CountVisible, reinterpret_cast<LPARAM>(&before));
  const ULONGLONG start = GetTickCount64();
  LaunchVolumeControl();
  // It does not wait on anything; the bound only tells that from a wait.
  EXPECT_LT(GetTickCount64() - start, 30000u);
  EnumWindows(&CountVisible, reinterpret_cast<LPARAM>(&after));
  EXPECT_EQ(after, before);
}

// A hidden form holding the media player control, on the real windows.
// The player's windows, made as when the program shows its form.
struct PlayerForm {
  PlayerForm() : form(std::make_unique<TForm>(nullptr)), player(*new TMediaPlayer(form.get())) {
    player.SetParent(form.get());
    form->CreatePeers();
  }
  ~PlayerForm() {
    form.reset();
    // A main form that goes without a close ends the loop; there is none.
    Application::Instance().ResetForTesting();
  }
  HWND PlayerWindow() const {
    return player.Peer() ? reinterpret_cast<HWND>(player.Peer()->NativeHandle()) : nullptr;
  }
  std::unique_ptr<TForm> form;
  TMediaPlayer& player;
};

// The platform's MCI without sound files: the failures of Open.
TEST_F(PlatformServices, OpeningAMissingFileRaisesThePlatformsText) {
  PlayerForm holder;
  TMediaPlayer& player = holder.player;
  player.SetFileName(TempFolder() + "dz_no_such_song.wav");
  try {
    player.Open();
    FAIL() << "opened a missing file";
  } catch (const EMCIDeviceError& e) {
    char text[4096] = {};
    ASSERT_TRUE(mciGetErrorStringA(player.LastError(), text, sizeof text));
    EXPECT_EQ(e.Message(), text);
    EXPECT_NE(player.LastError(), 0u);
  }
  EXPECT_FALSE(player.IsOpen());
  try {
    player.Play();
    FAIL() << "played without a device";
  } catch (const EMCIDeviceError& e) {
    EXPECT_EQ(e.Message(), "No MCI device open");
  }
}

TEST_F(PlatformServices, ThePlayersOwnWindowTakesTheNotices) {
  PlayerForm holder;
  TMediaPlayer& player = holder.player;
  const HWND hwnd = holder.PlayerWindow();
  ASSERT_NE(hwnd, nullptr);
  // The control's own child window of the form, the one the program shows.
  char cls[32] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  EXPECT_STREQ(cls, "TMediaPlayer");
  EXPECT_EQ(GetParent(hwnd), reinterpret_cast<HWND>(holder.form->Peer()->NativeHandle()));
  int notices = 0;
  player.SetAutoEnable(false);  // no device: no mode query
  player.OnNotify = [&](TObject*) { ++notices; };
  SendMessageA(hwnd, 0x03B9, 2, 0);
  EXPECT_EQ(notices, 1);
  EXPECT_EQ(player.NotifyResult(), NotifySuperseded);
}

}  // namespace
}  // namespace dz::win32
