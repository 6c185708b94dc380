// The windows that paint their model themselves: the form, the panel and
// other self-painted controls.
#include <exception>

#include "platform/win32/GdiCanvas.h"
#include "platform/win32/Win32PeerKinds.h"
#include "runtime/Dispatch.h"

namespace dz::win32 {

namespace {

// Posted to the form after it became active, so that the activate handler
// (which reads files and may show boxes) runs outside WM_ACTIVATE.
const UINT kFormActivated = WM_APP + 0x101;

// A paint that fails would fail again on every repaint while its report is
// open: report one at a time.
RepeatingDispatch& PaintReports() {
  static RepeatingDispatch reports;
  return reports;
}

TShiftState ShiftFromMouse(WPARAM keys) {
  TShiftState shift = 0;
  if (keys & MK_SHIFT) shift |= ssShift;
  if (keys & MK_CONTROL) shift |= ssCtrl;
  if (keys & MK_LBUTTON) shift |= ssLeft;
  if (keys & MK_RBUTTON) shift |= ssRight;
  if (keys & MK_MBUTTON) shift |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

TShiftState ShiftFromKeyboard() {
  TShiftState shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

LPCSTR SystemCursor(TCursor cursor) {
  switch (cursor) {
    case crHandPoint: return IDC_HAND;
    case crIBeam: return IDC_IBEAM;
    case crHourGlass: return IDC_WAIT;
    case crCross: return IDC_CROSS;
    default: return IDC_ARROW;
  }
}

}  // namespace

// --- SurfacePeer ------------------------------------------------------------

SurfacePeer::~SurfacePeer() { Destroy(); }

bool SurfacePeer::CreateChild() noexcept {
  TWinControl& control = Control();
  DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  if (control.Visible()) style |= WS_VISIBLE;
  if (control.TabStop()) style |= WS_TABSTOP;
  DWORD exStyle = WS_EX_CONTROLPARENT;
  if (control.NonClientBorder() == 2) exStyle |= WS_EX_CLIENTEDGE;  // the sunken client edge
  if (!Create({control.ClassName(), CS_DBLCLKS}, exStyle, style, control.Text().c_str(),
              control.Left(), control.Top(), control.Width(), control.Height(), ParentHwnd()))
    return false;
  Attach(Handle());
  return true;
}

LRESULT SurfacePeer::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  LRESULT result = 0;
  if (HandleSurfaceMessage(msg, wParam, lParam, result)) return result;
  return Window::HandleMessage(msg, wParam, lParam);
}

bool SurfacePeer::HandleSurfaceMessage(UINT msg, WPARAM wParam, LPARAM lParam,
                                       LRESULT& result) noexcept {
  TWinControl& control = Control();
  switch (msg) {
    case WM_ERASEBKGND:
      result = 1;  // WM_PAINT covers everything
      return true;
    case WM_PAINT:
      Paint();
      return true;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      Mouse(msg, wParam, lParam);
      return true;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      control.HandleMouseLeave();
      return true;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == Handle() && LOWORD(lParam) == HTCLIENT &&
          SetCursorFromModel()) {
        result = TRUE;
        return true;
      }
      return false;
    case WM_SETFOCUS:
      control.HandleFocusReceived();
      InvalidateRect(Handle(), nullptr, FALSE);
      return true;
    case WM_KILLFOCUS:
      InvalidateRect(Handle(), nullptr, FALSE);
      return true;
    case WM_KEYDOWN:
    case WM_KEYUP: {
      auto key = static_cast<std::uint16_t>(wParam);
      if (msg == WM_KEYDOWN) {
        control.HandleKeyDown(key, ShiftFromKeyboard());
      } else {
        control.HandleKeyUp(key, ShiftFromKeyboard());
      }
      return true;
    }
    case WM_GETDLGCODE:
      result = DLGC_WANTARROWS;
      return true;
    case WM_DESTROY:
      Detach();
      return false;
    default:
      return RouteToChildPeer(msg, wParam, lParam, result);
  }
}

void SurfacePeer::Paint() noexcept {
  std::exception_ptr failure;
  {
    PaintDc paint(Handle());
    if (!paint.Get()) return;
    const RECT dirty = paint.Dirty();
    DoubleBuffer buffer(paint.Get(), dirty);
    try {
      GdiCanvas canvas(buffer.Dc());
      Control().PaintSurface(canvas);
    } catch (...) {
      failure = std::current_exception();
    }
  }
  // Reported after EndPaint, so the box's own loop does not paint this again.
  if (failure) PaintReports()([&] { std::rethrow_exception(failure); });
}

void SurfacePeer::Mouse(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  TWinControl& control = Control();
  const int x = static_cast<short>(LOWORD(lParam));
  const int y = static_cast<short>(HIWORD(lParam));
  const TShiftState shift = ShiftFromMouse(wParam);
  switch (msg) {
    case WM_MOUSEMOVE:
      if (!trackingLeave_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
        control.HandleMouseEnter();
      }
      control.HandleMouseMove(shift, x, y);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // The release comes back here even outside the window.
      SetCapture(Handle());
      control.HandleMouseDown(mbLeft, msg == WM_LBUTTONDBLCLK ? shift | ssDouble : shift, x, y);
      break;
    case WM_LBUTTONUP:
      if (GetCapture() == Handle()) ReleaseCapture();
      control.HandleMouseUp(mbLeft, shift, x, y);
      break;
    case WM_RBUTTONDOWN:
      control.HandleMouseDown(mbRight, shift, x, y);
      break;
    case WM_RBUTTONUP:
      control.HandleMouseUp(mbRight, shift, x, y);
      break;
    case WM_MBUTTONDOWN:
      control.HandleMouseDown(mbMiddle, shift, x, y);
      break;
    case WM_MBUTTONUP:
      control.HandleMouseUp(mbMiddle, shift, x, y);
      break;
    default:
      break;
  }
}

bool SurfacePeer::SetCursorFromModel() noexcept {
  POINT point{};
  if (!GetCursorPos(&point) || !ScreenToClient(Handle(), &point)) return false;
  SetCursor(LoadCursorA(nullptr, SystemCursor(Control().CursorAt(point.x, point.y))));
  return true;
}

// --- FormPeer ---------------------------------------------------------------

FormPeer::FormPeer(TForm& form) : SurfacePeer(form), form_(form) {
  // Sizeable, with system menu, minimise and maximise boxes, and never a
  // scroll bar: the layout stays put whatever the window's size.
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  if (!Create({form.ClassName(), CS_DBLCLKS}, WS_EX_CONTROLPARENT, style, form.Caption().c_str(),
              form.Left(), form.Top(), form.Width(), form.Height(), nullptr))
    return;
  Attach(Window::Handle());
  Application::Instance().SetMainForm(this);
}

FormPeer::~FormPeer() { Destroy(); }

bool FormPeer::PreviewChar(char& ch) noexcept {
  try {
    return form_.HandleKeyPress(ch);
  } catch (...) {
    return true;  // the handlers report their own failures
  }
}

void FormPeer::FocusNextControl(bool forward) noexcept {
  try {
    FocusNextInTabOrder(form_, forward);
  } catch (...) {
    // Out of memory while listing the controls: the focus stays.
  }
}

void FormPeer::Changed(PeerChange what) {
  HWND hwnd = Window::Handle();
  if (!hwnd) return;
  switch (what) {
    case PeerChange::Visible:
      if (form_.Visible()) {
        ShowInState();
      } else {
        ShowWindow(hwnd, SW_HIDE);
      }
      break;
    case PeerChange::WindowState:
      if (IsWindowVisible(hwnd)) ShowInState();
      break;
    case PeerChange::Closed:
      ShowWindow(hwnd, SW_HIDE);
      if (Application::Instance().MainForm() == this) Application::Instance().Terminate();
      break;
    default:
      SurfacePeer::Changed(what);
      break;
  }
}

void FormPeer::ApplyBounds() noexcept {
  if (reportingBounds_) return;
  HWND hwnd = Window::Handle();
  if (IsZoomed(hwnd) || IsIconic(hwnd)) {
    // The bounds are the normal position, where a restore brings it back.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(hwnd, &placement);
    placement.rcNormalPosition = {form_.Left(), form_.Top(), form_.Left() + form_.Width(),
                                  form_.Top() + form_.Height()};
    SetWindowPlacement(hwnd, &placement);
    return;
  }
  SurfacePeer::ApplyBounds();
}

void FormPeer::ShowInState() noexcept {
  HWND hwnd = Window::Handle();
  int command = SW_SHOWNORMAL;
  switch (form_.WindowState()) {
    case wsMaximized:
      command = SW_SHOWMAXIMIZED;
      break;
    case wsMinimized:
      if (!IsWindowVisible(hwnd)) {
        // Started minimised (a shortcut set to run minimised): the first
        // restore brings the window back maximised, as the layout has it.
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(hwnd, &placement);
        placement.showCmd = SW_SHOWMINNOACTIVE;
        placement.flags |= WPF_RESTORETOMAXIMIZED;
        applyingState_ = true;
        SetWindowPlacement(hwnd, &placement);
        applyingState_ = false;
        return;
      }
      command = SW_SHOWMINNOACTIVE;
      break;
    case wsNormal:
      command = IsWindowVisible(hwnd) && !IsZoomed(hwnd) && !IsIconic(hwnd) ? SW_SHOW : SW_SHOWNORMAL;
      break;
  }
  applyingState_ = true;
  ShowWindow(hwnd, command);
  applyingState_ = false;
}

void FormPeer::ReportWindowState(WPARAM sizeType) noexcept {
  if (applyingState_) return;
  TWindowState state = wsNormal;
  if (sizeType == SIZE_MAXIMIZED) state = wsMaximized;
  else if (sizeType == SIZE_MINIMIZED) state = wsMinimized;
  else if (sizeType != SIZE_RESTORED) return;
  // The user's change: the model follows without moving the window again.
  applyingState_ = true;
  try {
    form_.SetWindowState(state);
  } catch (...) {
  }
  applyingState_ = false;
}

void FormPeer::ReportBounds() noexcept {
  HWND hwnd = Window::Handle();
  if (IsIconic(hwnd)) return;
  // The model follows the window's size, so its surface covers the whole
  // client area when maximised.
  RECT outer{};
  GetWindowRect(hwnd, &outer);
  reportingBounds_ = true;
  try {
    form_.SetBounds(outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top);
  } catch (...) {
  }
  reportingBounds_ = false;
}

LRESULT FormPeer::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  HWND hwnd = Window::Handle();
  switch (msg) {
    case WM_CLOSE:  // close box, Alt+F4 and the system close command
      form_.HandleCloseRequest();
      return 0;
    case WM_ACTIVATE: {
      const LRESULT result = Window::HandleMessage(msg, wParam, lParam);
      if (LOWORD(wParam) != WA_INACTIVE) {
        // Give the focus back to the control that had it; at the first
        // activation, to the first control in tab order.
        // (The default handling has just focused the form window itself.)
        if (TWinControl* active = form_.ActiveControl(); active && active != &form_ && active->Peer()) {
          active->Peer()->SetFocus();
        } else {
          FocusNextInTabOrder(form_, true);
        }
        PostMessageA(hwnd, kFormActivated, 0, 0);
      }
      return result;
    }
    case kFormActivated:
      form_.HandleActivate();
      return 0;
    case WM_SIZE:
      ReportWindowState(wParam);
      ReportBounds();
      return Window::HandleMessage(msg, wParam, lParam);
    case WM_MOVE:
      ReportBounds();
      return Window::HandleMessage(msg, wParam, lParam);
    case WM_CHAR: {
      // Typed with the form itself focused; keys of its controls are
      // previewed by the message loop.
      char ch = static_cast<char>(wParam);
      try {
        form_.HandleKeyPress(ch);
      } catch (...) {
      }
      return 0;
    }
    case WM_DESTROY:
      // Gone without a completed close (the session ends): end the loop too.
      if (Application::Instance().MainForm() == this && !form_.Closed()) {
        Application::Instance().Terminate();
      }
      Detach();
      return 0;
    case WM_NCDESTROY:
      Application::Instance().MainFormGone(this);
      return Window::HandleMessage(msg, wParam, lParam);
    default:
      return SurfacePeer::HandleMessage(msg, wParam, lParam);
  }
}

}  // namespace dz::win32
