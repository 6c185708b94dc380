#include "platform/win32/Win32Dialogs.h"

#include "platform/win32/AppWindow.h"
#include "platform/win32/ModalScope.h"
#include "platform/win32/NoticeWindow.h"

namespace dz::win32 {

namespace {

std::string CaptionOrProgramName(const std::string& caption) {
  return caption.empty() ? ProgramName() : caption;
}

// The box appears on the monitor of its owner, the application window, so
// that window goes to the monitor the user is looking at first.
void MoveToMonitorOf(HWND app, HWND active) noexcept {
  if (!app || !active) return;
  HMONITOR target = MonitorFromWindow(active, MONITOR_DEFAULTTONEAREST);
  if (!target || target == MonitorFromWindow(app, MONITOR_DEFAULTTONEAREST)) return;
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoA(target, &info)) return;
  const RECT& work = info.rcWork;
  SetWindowPos(app, nullptr, (work.left + work.right) / 2, (work.top + work.bottom) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void Win32Dialogs::CancelMouseCapture() {
  if (HWND capture = GetCapture()) SendMessageA(capture, WM_CANCELMODE, 0, 0);
}

void Win32Dialogs::ShowErrorBox(const std::string& text, const std::string& caption) {
  HWND app = ApplicationWindowHandle();
  std::string title = CaptionOrProgramName(caption);
  ModalScope modal;
  MoveToMonitorOf(app, modal.PreviouslyActive());
  MessageBoxA(app, text.c_str(), title.c_str(), MB_OK | MB_ICONSTOP);
  modal.EnableWindows();
}

void Win32Dialogs::ShowNoticeBox(const std::string& text, const std::string& caption) {
  std::string title = CaptionOrProgramName(caption);
  ModalScope modal;
  NoticeWindow notice(text, title, ApplicationWindowHandle());
  notice.RunModal();
  modal.EnableWindows();
  notice.Close();
}

}  // namespace dz::win32
