#pragma once
// Dialogs port on Win32. The error box is the platform's message box owned
// by the application window; the notice box is the program's own dialog
// window (platform/win32/NoticeWindow.h). Both are modal: the program's
// other windows are disabled while they are open, and a nested message loop
// keeps the timers ticking. An empty caption becomes the program's file
// name, as the platform names an untitled program.
#include "runtime/Dialogs.h"

namespace dz::win32 {

class Win32Dialogs final : public Dialogs {
 public:
  void CancelMouseCapture() override;
  void ShowErrorBox(const std::string& text, const std::string& caption) override;
  void ShowNoticeBox(const std::string& text, const std::string& caption) override;
};

}  // namespace dz::win32
