#include "platform/win32/AppWindow.h"

#include "platform/win32/Win32Power.h"
#include "runtime/Platform.h"

namespace dz::win32 {

ApplicationWindow& ApplicationWindow::Instance() {
  static ApplicationWindow instance;
  return instance;
}

ApplicationWindow::ApplicationWindow() {
  // No size, in the middle of the screen: the boxes it owns show there. Its
  // icon is the taskbar button's.
  Create({.name = "DozewellApplication", .programIcon = true}, 0,
         WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
         ApplicationTitle().c_str(), GetSystemMetrics(SM_CXSCREEN) / 2,
         GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr);
}

void ApplicationWindow::SetTitle(const std::string& title) {
  if (Handle()) SetWindowTextA(Handle(), title.c_str());
}

void ApplicationWindow::ShowMinimized() noexcept {
  if (IsIconic(Handle())) return;
  // Minimised by the user, the next program's window becomes active; a
  // program started minimised takes activation from nobody.
  ShowWindow(Handle(), IsWindowVisible(Handle()) ? SW_MINIMIZE : SW_SHOWMINNOACTIVE);
}

void ApplicationWindow::ShowRestored() noexcept {
  if (!IsWindowVisible(Handle()) || IsIconic(Handle())) ShowWindow(Handle(), SW_SHOWNOACTIVATE);
}

LRESULT ApplicationWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SETTINGCHANGE:
      if (onSettingChange) onSettingChange();
      return 0;
    case WM_POWERBROADCAST:
      // Sent to every top-level window; the program hears it here only.
      Win32PowerEvents::Instance().Deliver(wParam);
      return TRUE;
    case WM_TIMECHANGE:
      Win32PowerEvents::Instance().DeliverTimeChange();
      return 0;
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        // The taskbar's commands go to the main window, which brings the
        // button along.
        case SC_MINIMIZE:
          if (main_ && !IsIconic(Handle())) SendMessageA(main_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
          return 0;
        case SC_RESTORE:
          if (main_ && IsIconic(Handle())) SendMessageA(main_, WM_SYSCOMMAND, SC_RESTORE, 0);
          return 0;
        default:
          break;  // everything else, display power included, goes to the platform
      }
      break;
    case WM_SETFOCUS: {
      // Activated from the taskbar or the task switcher: the main window, or
      // the box in front of it, takes over.
      HWND target = GetLastActivePopup(Handle());
      if (target == Handle()) target = main_;
      if (target && IsWindowVisible(target) && IsWindowEnabled(target)) SetActiveWindow(target);
      return 0;
    }
    default:
      break;
  }
  return Window::HandleMessage(msg, wParam, lParam);
}

}  // namespace dz::win32
