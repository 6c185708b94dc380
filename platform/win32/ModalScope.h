#pragma once
// Makes a box modal for its lifetime: every other enabled, visible top-level
// window of this thread is disabled, and enabled again at the end; the
// window that was active and the control that had the focus get activation
// and focus back.
#include <windows.h>

#include <string>
#include <vector>

namespace dz::win32 {

class ModalScope {
 public:
  ModalScope() noexcept;
  ~ModalScope();
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

  // Enables the windows again now (before the box goes away, so that
  // activation does not fall to some other program's window).
  void EnableWindows() noexcept;

  HWND PreviouslyActive() const noexcept { return active_; }

 private:
  std::vector<HWND> disabled_;
  HWND active_;
  HWND focus_;
};

// The program's file name without folder and extension: the caption the
// platform uses when the program has no title.
std::string ProgramName();

}  // namespace dz::win32
