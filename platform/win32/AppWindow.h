#pragma once
// The application window: the hidden top-level window that stands for the
// whole program. Its text is the application title; it owns the error boxes,
// receives the display power requests and the settings-change broadcasts.
#include <functional>
#include <string>

#include "platform/win32/Window.h"

namespace dz::win32 {

class ApplicationWindow : public Window {
 public:
  // The one instance, created on first use with ApplicationTitle().
  static ApplicationWindow& Instance();

  void SetTitle(const std::string& title);
  // The main window, minimised and restored by the taskbar commands.
  void SetMainWindow(HWND main) { main_ = main; }
  HWND MainWindow() const { return main_; }

  // Runs on every WM_SETTINGCHANGE (the locale formats are read again).
  std::function<void()> onSettingChange;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept override;

 private:
  ApplicationWindow();
  HWND main_ = nullptr;
};

inline HWND ApplicationWindowHandle() { return ApplicationWindow::Instance().Handle(); }

}  // namespace dz::win32
