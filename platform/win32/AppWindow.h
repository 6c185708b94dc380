#pragma once
// The application window: the top-level window that stands for the whole
// program. Its text is the application title, and it holds the program's
// taskbar button and task switcher entry: it owns the main window (which so
// has no button of its own) and, without a size of its own, is shown from
// the moment the main window first shows. Minimising the main window
// minimises the program: the main window hides and the button shows
// minimised; the taskbar's restore brings the main window back in the state
// it had. The error boxes are owned by it; it receives the display power
// requests, the settings-change broadcasts and the power broadcasts
// (sleep and resume) and the clock changes, for Win32PowerEvents.
#include <functional>
#include <string>

#include "platform/win32/Window.h"

namespace dz::win32 {

class ApplicationWindow : public Window {
 public:
  // The one instance, created on first use with ApplicationTitle().
  static ApplicationWindow& Instance();

  void SetTitle(const std::string& title);
  // The main window, which gets the taskbar's minimise and restore.
  void SetMainWindow(HWND main) { main_ = main; }
  HWND MainWindow() const { return main_; }

  // The taskbar button, as the main window is hidden away or on screen.
  void ShowMinimized() noexcept;
  void ShowRestored() noexcept;

  // Runs on every WM_SETTINGCHANGE (the locale formats are read again).
  std::function<void()> onSettingChange;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  ApplicationWindow();
  HWND main_ = nullptr;
};

inline HWND ApplicationWindowHandle() { return ApplicationWindow::Instance().Handle(); }

}  // namespace dz::win32
