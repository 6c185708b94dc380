// The windows that paint their model themselves: the form, the panel and
// other self-painted controls.
#include <exception>

#include "platform/win32/AppWindow.h"
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

bool SurfacePeer::CreateChild() {
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

LRESULT SurfacePeer::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (HandleSurfaceMessage(msg, wParam, lParam, result)) return result;
  return Window::HandleMessage(msg, wParam, lParam);
}

bool SurfacePeer::HandleSurfaceMessage(UINT msg, WPARAM wParam, LPARAM lParam,
                                       LRESULT& result) {
  TWinControl& control = Control();
  pointer_.Heard(Handle(), msg, lParam, control);
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
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      Mouse(msg, wParam, lParam);
      return true;
    case WM_RBUTTONUP:
      Mouse(msg, wParam, lParam);
      return false;  // the default handling asks for the context menu
    case WM_CONTEXTMENU:
      return ContextMenuHandled(Handle(), Control(), lParam);
    case WM_CANCELMODE:
      control.HandleCancelMode();
      return false;  // the default handling lets the capture go
    case WM_CAPTURECHANGED:
      // Taken away, not given up by our own release: the press is abandoned.
      if (!releasingCapture_ && reinterpret_cast<HWND>(lParam) != Handle()) control.HandleCancelMode();
      return true;
    case WM_MOUSELEAVE:
      return true;  // heard above
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
        control.HandleKeyDown(key, KeyboardShift());
      } else {
        control.HandleKeyUp(key, KeyboardShift());
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

void SurfacePeer::Mouse(UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl& control = Control();
  const int x = static_cast<short>(LOWORD(lParam));
  const int y = static_cast<short>(HIWORD(lParam));
  const TShiftState shift = ShiftFromMouse(wParam);
  switch (msg) {
    case WM_MOUSEMOVE:
      control.HandleMouseMove(shift, x, y);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // The release comes back here even outside the window.
      SetCapture(Handle());
      control.HandleMouseDown(mbLeft, msg == WM_LBUTTONDBLCLK ? shift | ssDouble : shift, x, y);
      break;
    case WM_LBUTTONUP:
      // Given up before the click runs, so that a box the click opens gets
      // the mouse.
      if (GetCapture() == Handle()) {
        releasingCapture_ = true;
        ReleaseCapture();
        releasingCapture_ = false;
      }
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
  // Owned by the application window, which holds the taskbar button.
  if (!Create({.name = form.ClassName(), .style = CS_DBLCLKS, .programIcon = true},
              WS_EX_CONTROLPARENT, style, form.Caption().c_str(),
              form.Left(), form.Top(), form.Width(), form.Height(), ApplicationWindowHandle()))
    return;
  Attach(Window::Handle());
  Application::Instance().SetMainForm(this);
}

FormPeer::~FormPeer() { Destroy(); }

HWND FormPeer::HintWindow(bool make) noexcept {
  if (hint_ || !make || !Window::Handle()) return hint_.Get();
  hint_ = OwnedWindow(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                      WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Window::Handle(),
                                      nullptr, GetModuleHandleA(nullptr), nullptr));
  if (hint_) {
    SendMessageA(hint_.Get(), TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(kHintPauseMs, 0));
    SendMessageA(hint_.Get(), TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(kHintHidePauseMs, 0));
  }
  return hint_.Get();
}

bool FormPeer::PreviewChar(char& ch) { return form_.HandleKeyPress(ch); }

void FormPeer::FocusNextControl(bool forward) { FocusNextInTabOrder(form_, forward); }

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
      if (form_.Visible()) ShowInState();  // a minimised main window is hidden, yet shown
      break;
    case PeerChange::Closed:
      ShowWindow(hwnd, SW_HIDE);
      if (IsMainForm()) Application::Instance().Terminate();
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
  const bool main = IsMainForm();
  int command = SW_SHOWNORMAL;
  switch (form_.WindowState()) {
    case wsMaximized:
      command = SW_SHOWMAXIMIZED;
      break;
    case wsMinimized:
      if (main) {
        // The whole program minimises into its taskbar button.
        applyingState_ = true;
        ShowWindow(hwnd, SW_HIDE);
        applyingState_ = false;
        ApplicationWindow::Instance().ShowMinimized();
        return;
      }
      command = SW_SHOWMINNOACTIVE;
      break;
    case wsNormal:
      command = IsWindowVisible(hwnd) && !IsZoomed(hwnd) && !IsIconic(hwnd) ? SW_SHOW : SW_SHOWNORMAL;
      break;
  }
  if (main) ApplicationWindow::Instance().ShowRestored();
  applyingState_ = true;
  ShowWindow(hwnd, command);
  applyingState_ = false;
}

bool FormPeer::IsMainForm() const noexcept { return Application::Instance().MainForm() == this; }

void FormPeer::ReportWindowState(WPARAM sizeType) {
  if (applyingState_) return;
  TWindowState state = wsNormal;
  if (sizeType == SIZE_MAXIMIZED) state = wsMaximized;
  else if (sizeType == SIZE_MINIMIZED) state = wsMinimized;
  else if (sizeType != SIZE_RESTORED) return;
  // The user's change: the model follows without moving the window again.
  applyingState_ = true;
  form_.SetWindowState(state);
  applyingState_ = false;
}

void FormPeer::ReportBounds() {
  HWND hwnd = Window::Handle();
  if (IsIconic(hwnd)) return;
  // The model follows the window's size, so its surface covers the whole
  // client area when maximised.
  RECT outer{};
  GetWindowRect(hwnd, &outer);
  reportingBounds_ = true;
  form_.SetBounds(outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top);
  reportingBounds_ = false;
}

LRESULT FormPeer::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = Window::Handle();
  switch (msg) {
    case WM_CLOSE:  // close box, Alt+F4 and the system close command
      form_.HandleCloseRequest();
      return 0;
    case WM_ENDSESSION:
      // The session really ends (not when another program vetoed it): the
      // process goes without a WM_CLOSE.
      if (wParam) form_.HandleSessionEnd();
      return 0;
    case WM_SYSCOMMAND:
      // The main window minimises and restores through the model, with the
      // application window's taskbar button (the minimise box, the taskbar).
      if (IsMainForm() && (wParam & 0xFFF0) == SC_MINIMIZE) {
        form_.SetWindowState(wsMinimized);
        return 0;
      }
      if (IsMainForm() && (wParam & 0xFFF0) == SC_RESTORE && form_.WindowState() == wsMinimized) {
        form_.SetWindowState(form_.RestoredState());
        return 0;
      }
      return SurfacePeer::HandleMessage(msg, wParam, lParam);
    case WM_ACTIVATE: {
      // The control to give the focus back to: the one that had it, or the
      // one the program focused while the window was hidden or minimised.
      // Asked before the default handling, which focuses the form window
      // itself and so makes the form its own active control.
      TWinControl* active = form_.ActiveControl();
      const LRESULT result = Window::HandleMessage(msg, wParam, lParam);
      if (LOWORD(wParam) != WA_INACTIVE) {
        // At the first activation, the first control in tab order.
        if (active && active != &form_ && active->Peer() && active->CanFocus()) {
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
      form_.HandleKeyPress(ch);
      return 0;
    }
    case WM_DESTROY:
      // Gone without a completed close (the session ends): end the loop too.
      if (IsMainForm() && !form_.Closed()) {
        Application::Instance().Terminate();
      }
      Detach();
      hint_.Reset();  // ours to destroy, before the platform takes it with its owner
      return 0;
    case WM_NCDESTROY:
      Application::Instance().MainFormGone(this);
      return Window::HandleMessage(msg, wParam, lParam);
    default:
      return SurfacePeer::HandleMessage(msg, wParam, lParam);
  }
}

}  // namespace dz::win32
