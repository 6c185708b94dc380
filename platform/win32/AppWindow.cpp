#include "platform/win32/AppWindow.h"

#include "runtime/Platform.h"

namespace dz::win32 {

ApplicationWindow& ApplicationWindow::Instance() {
  static ApplicationWindow instance;
  return instance;
}

ApplicationWindow::ApplicationWindow() {
  Create({"DozewellApplication"}, 0,
         WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
         ApplicationTitle().c_str(), 0, 0, 0, 0, nullptr);
}

void ApplicationWindow::SetTitle(const std::string& title) {
  if (Handle()) SetWindowTextA(Handle(), title.c_str());
}

LRESULT ApplicationWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  switch (msg) {
    case WM_SETTINGCHANGE:
      if (onSettingChange) {
        try {
          onSettingChange();
        } catch (...) {
          // Reading the regional settings never fails the broadcast.
        }
      }
      return 0;
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_MINIMIZE:
          if (main_) ShowWindow(main_, SW_MINIMIZE);
          return 0;
        case SC_RESTORE:
          if (main_) ShowWindow(main_, SW_RESTORE);
          return 0;
        default:
          break;  // everything else, display power included, goes to the platform
      }
      break;
    default:
      break;
  }
  return Window::HandleMessage(msg, wParam, lParam);
}

}  // namespace dz::win32
