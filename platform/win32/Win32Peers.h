#pragma once
// The native side of the control model: one peer per windowed control.
//
// - The form is a top-level window of its model class ("TForm1"), the panel
//   and other self-painted controls are child windows of their own classes;
//   all three paint through the canvas, double-buffered, and route the mouse
//   to the model, which hands it to the windowless child under the pointer.
// - Edits, combo boxes, check boxes and push buttons are the platform's
//   standard controls, subclassed; their parent routes WM_COMMAND,
//   WM_DRAWITEM and WM_CTLCOLOR* back to the peer of the child that sent it.
// - User changes go to the model through its Handle... methods, which run
//   the program's handlers through the dispatcher.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/GdiCanvas.h"
#include "platform/win32/GdiHandles.h"
#include "runtime/Platform.h"
#include "ui/ControlPeer.h"
#include "ui/Controls.h"

namespace dz::win32 {

class WinPeer : public ControlPeer {
 public:
  explicit WinPeer(TWinControl& control) : control_(control) {}
  ~WinPeer() override;
  WinPeer(const WinPeer&) = delete;
  WinPeer& operator=(const WinPeer&) = delete;

  TWinControl& Control() const noexcept { return control_; }
  virtual HWND Hwnd() const noexcept = 0;
  std::uintptr_t NativeHandle() const override { return reinterpret_cast<std::uintptr_t>(Hwnd()); }

  void Changed(PeerChange what) override;
  void Invalidate(const TRect& area) override;
  void SetFocus() override;
  bool HasKeyboardFocus() const override { return Hwnd() && GetFocus() == Hwnd(); }
  TPoint ClientToScreen(TPoint point) const override;
  void CancelHint() override;

  // Messages a parent window routes back to the peer of the child that
  // sent them. Each returns true when it handled the message.
  virtual bool OnCommand(WORD code) {
    (void)code;
    return false;
  }
  virtual bool OnDrawItem(const DRAWITEMSTRUCT& item) noexcept {
    (void)item;
    return false;
  }
  // The background brush for WM_CTLCOLOR*: the control's colour.
  HBRUSH OnCtlColor(HDC dc) noexcept;

  // The peer of a window made by a peer, or nullptr.
  static WinPeer* FromHwnd(HWND hwnd) noexcept;

 protected:
  // Registers the window as this peer's and applies font, hint and state.
  void Attach(HWND hwnd);
  void Detach() noexcept;
  HWND ParentHwnd() const noexcept;
  virtual void ApplyBounds() noexcept;
  void ApplyFont();
  void ApplyHint();
  // While set, native notifications caused by the program's own change are
  // not reported back to the model.
  bool updating_ = false;

 private:
  TWinControl& control_;
  SharedFont font_;  // the font the window was given, held while it draws with it
  Brush background_;
  COLORREF backgroundColor_ = CLR_INVALID;
};

// Shift, Ctrl and Alt as they are held while the message being handled was sent.
TShiftState KeyboardShift() noexcept;

// Routes WM_COMMAND, WM_DRAWITEM and WM_CTLCOLOR* from a child window to its
// peer. Returns true with `result` set when the child's peer handled it.
bool RouteToChildPeer(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

// WM_CONTEXTMENU on `hwnd`, the window of `control`: offers it to the model
// (TWinControl::HandleContextPopup). False when the model left it to the
// default handling, which passes it on to the parent window.
bool ContextMenuHandled(HWND hwnd, TWinControl& control, LPARAM lParam);

// The controls that take the focus with Tab, in tab order through every
// container: visible, enabled, tab stops, with a native window.
std::vector<TWinControl*> TabSequence(TWinControl& form);

// Moves the focus from the control that has it to the next (previous) one
// in TabSequence, wrapping around. Edits and combo boxes get all their text
// selected, as when tabbing into a dialog's field.
void FocusNextInTabOrder(TWinControl& form, bool forward);

// The peer factory on Win32, with the text measurer labels size themselves
// with. Install both before the form is built.
class Win32PeerFactory final : public PeerFactory {
 public:
  std::unique_ptr<ControlPeer> CreatePeer(TWinControl& control) override;
};

// Puts the peer factory, the screen text measurer, the visual style of
// button faces, the popup menus and the media player's faces from the
// program's resources into `platform`.
void AddWin32ControlPorts(Platform& platform);

// The hint window of the form whose window is `form` (nullptr until one of
// its controls asks for hints): shows a control's Hint after the pointer
// rests 500 ms, for 2500 ms, only for controls with ShowHint.
HWND HintWindowOf(HWND form) noexcept;

}  // namespace dz::win32
