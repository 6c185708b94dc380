#include "platform/win32/PointerTracking.h"

namespace dz::win32 {

void PointerTracking::Heard(HWND hwnd, UINT msg, LPARAM lParam, TWinControl& control) {
  switch (msg) {
    case WM_MOUSEMOVE:
      if (!tracking_) Enter(hwnd, control);
      break;
    case WM_MOUSELEAVE:
      tracking_ = false;
      control.HandleMouseLeave();
      break;
    case WM_WINDOWPOSCHANGED: {
      const UINT flags = reinterpret_cast<const WINDOWPOS*>(lParam)->flags;
      if ((flags & SWP_HIDEWINDOW) && tracking_) {
        TRACKMOUSEEVENT cancel{sizeof cancel, TME_LEAVE | TME_CANCEL, hwnd, 0};
        TrackMouseEvent(&cancel);
        tracking_ = false;
        control.HandleMouseLeave();
      } else if ((flags & SWP_SHOWWINDOW) && !tracking_) {
        POINT pointer{};
        if (GetCursorPos(&pointer) && WindowFromPoint(pointer) == hwnd) Enter(hwnd, control);
      }
      break;
    }
    default:
      break;
  }
}

void PointerTracking::Enter(HWND hwnd, TWinControl& control) {
  TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd, 0};
  tracking_ = TrackMouseEvent(&track) != FALSE;
  control.HandleMouseEnter();
}

}  // namespace dz::win32
