#include "platform/win32/Win32Shell.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/AppWindow.h"

namespace dz::win32 {

void Win32Shell::SendDisplayPower(long value) {
  SendMessageA(ApplicationWindowHandle(), WM_SYSCOMMAND, SC_MONITORPOWER,
               static_cast<LPARAM>(value));
}

void Win32Shell::LaunchVolumeControl() {
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  HWND owner = ApplicationWindow::Instance().MainWindow();
  auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteA(owner, "open", "sndvol32.exe", nullptr, windows, SW_SHOWNORMAL));
  // Current systems name the volume control "sndvol.exe"; no message either way.
  if (result == SE_ERR_FNF || result == SE_ERR_PNF) {
    ShellExecuteA(owner, "open", "sndvol.exe", nullptr, windows, SW_SHOWNORMAL);
  }
}

void Win32Shell::OpenWebSite(const std::string& address) {
  ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace dz::win32
