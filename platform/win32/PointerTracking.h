#pragma once
// The pointer coming into a window and leaving it, told to the window's
// control: the first move in enters and asks for WM_MOUSELEAVE. A window
// hidden under the pointer cannot count on a WM_MOUSELEAVE, nor one shown
// under it on a move, so a hide leaves and a show under the pointer enters.
#include <windows.h>

#include "ui/Controls.h"

namespace dz::win32 {

class PointerTracking {
 public:
  // Call with each message of the window before handling it; it only looks.
  void Heard(HWND hwnd, UINT msg, LPARAM lParam, TWinControl& control);

 private:
  void Enter(HWND hwnd, TWinControl& control);
  bool tracking_ = false;
};

}  // namespace dz::win32
