// The file-open dialog, driven from a thread timer while it is open.
#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "platform/win32/Win32OpenDialog.h"

namespace dz::win32 {
namespace {

constexpr const char* kTitle = "Select a SONG";
constexpr const char* kFilter = "Audio|*.mp3;*.wav;*avi|Wave file|*.wav|MP3|*.mp3|AVI|*.avi";
constexpr int kFileNameEdit = 0x480;   // edt1
constexpr int kFileNameCombo = 0x47c;  // cmb13
constexpr int kFilterCombo = 0x470;    // cmb1
constexpr int kReadOnlyBox = 0x410;    // chx1

// What the timer saw in the dialog and what it does there.
struct Script {
  std::string typePath;  // empty: press Cancel
  int ticks = 0;
  bool found = false;
  std::string title;
  int filterCount = -1;
  std::string filterShown;
  bool readOnlyVisible = true;
};
Script* g_script = nullptr;

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM out) {
  char text[64] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  if (IsWindowVisible(hwnd) && std::string(text) == kTitle) {
    *reinterpret_cast<HWND*>(out) = hwnd;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK DriveDialog(HWND, UINT, UINT_PTR id, DWORD) {
  Script& s = *g_script;
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog) {
    if (++s.ticks > 150) KillTimer(nullptr, id);  // 15 s: give up, the test's time limit ends it
    return;
  }
  KillTimer(nullptr, id);
  s.found = true;
  char text[256] = {};
  GetWindowTextA(dialog, text, sizeof text);
  s.title = text;
  HWND filter = GetDlgItem(dialog, kFilterCombo);
  if (filter) {
    s.filterCount = static_cast<int>(SendMessageA(filter, CB_GETCOUNT, 0, 0));
    GetWindowTextA(filter, text, sizeof text);
    s.filterShown = text;
  }
  HWND readOnly = GetDlgItem(dialog, kReadOnlyBox);
  s.readOnlyVisible = readOnly && IsWindowVisible(readOnly);
  if (s.typePath.empty()) {
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  HWND name = GetDlgItem(dialog, kFileNameEdit);
  if (!name) name = GetDlgItem(dialog, kFileNameCombo);
  SetWindowTextA(name, s.typePath.c_str());
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

OpenFileRequest SongRequest(const std::string& fileName) {
  OpenFileRequest request;
  request.title = kTitle;
  request.filter = kFilter;
  request.filterIndex = 0;
  request.initialDir = "c:\\my documents\\my music";
  request.options = ofHideReadOnly | ofEnableSizing;
  request.fileName = fileName;
  return request;
}

bool RunScripted(Script& script, OpenFileRequest& request) {
  g_script = &script;
  SetTimer(nullptr, 0, 100, DriveDialog);
  const bool ok = ShowOpenFileDialog(nullptr, request);
  g_script = nullptr;
  return ok;
}

std::string TempSong() {
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  std::string path = std::string(folder) + "dz_open_dialog_song.wav";
  std::ofstream(path) << "RIFF";
  return path;
}

// A literal with its embedded NULs.
template <std::size_t N>
std::string Nuls(const char (&text)[N]) {
  return std::string(text, N - 1);
}

TEST(OpenFileFilter, BecomesNulSeparatedPairsEndedByASecondNul) {
  EXPECT_EQ(NulSeparatedFilter(kFilter),
            Nuls("Audio\0*.mp3;*.wav;*avi\0Wave file\0*.wav\0MP3\0*.mp3\0AVI\0*.avi\0\0"));
  EXPECT_EQ(NulSeparatedFilter(""), "");
  // Broken entries would end the platform's list early: they are left out.
  EXPECT_EQ(NulSeparatedFilter("MP3|*.mp3|Lonely"), Nuls("MP3\0*.mp3\0\0"));
  EXPECT_EQ(NulSeparatedFilter("|*.wav|MP3|*.mp3|Wave|"), Nuls("MP3\0*.mp3\0\0"));
}

TEST(OpenFileFlags, HideReadOnlyAndSizingInTheExplorerStyle) {
  EXPECT_EQ(OpenFileFlags(ofHideReadOnly | ofEnableSizing),
            static_cast<DWORD>(OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING));
  EXPECT_EQ(OpenFileFlags(ofAllowMultiSelect) & OFN_ALLOWMULTISELECT, 0u);
}

TEST(OpenFileDialog, ShowsTheSongChoiceAndReturnsTheTypedPath) {
  const std::string song = TempSong();
  Script script;
  script.typePath = song;
  OpenFileRequest request = SongRequest("C:\\old\\wakeup.wav");
  ASSERT_TRUE(RunScripted(script, request));
  EXPECT_TRUE(script.found);
  EXPECT_EQ(script.title, kTitle);
  EXPECT_EQ(script.filterCount, 4);
  EXPECT_EQ(script.filterShown, "Audio");
  EXPECT_FALSE(script.readOnlyVisible);
  EXPECT_EQ(_stricmp(request.fileName.c_str(), song.c_str()), 0) << request.fileName;
  EXPECT_EQ(request.filterIndex, 1);
  std::remove(song.c_str());
}

TEST(OpenFileDialog, CancelLeavesTheFileNameAsItWas) {
  Script script;
  OpenFileRequest request = SongRequest("C:\\old\\wakeup.wav");
  EXPECT_FALSE(RunScripted(script, request));
  EXPECT_TRUE(script.found);
  EXPECT_EQ(request.fileName, "C:\\old\\wakeup.wav");
  EXPECT_EQ(request.filterIndex, 0);
}

TEST(OpenFileDialog, AnOverlongCurrentNameIsCutNotOverrun) {
  Script script;
  OpenFileRequest request = SongRequest(std::string(40000, 'x'));
  EXPECT_FALSE(RunScripted(script, request));
  EXPECT_EQ(request.fileName, std::string(40000, 'x'));
}

}  // namespace
}  // namespace dz::win32
