#pragma once
// The native side of a windowed control.
//
// How a peer plugs in: the platform installs a PeerFactory as
// CurrentPlatform().peers. TWinControl::CreatePeers() (called by
// TForm::Show(), and by SetParent once the new parent has a peer) asks the
// factory for one peer per windowed control, parents before children; the
// control owns the peer and destroys it, children first, in its destruction
// step, while the whole control still exists (ui/Controls.h), so a native
// window's last messages may read it. The factory picks the native kind
// with dynamic_cast on the control (TForm, TPanel, TEdit, TComboBox,
// TCheckBox, TButton (OwnerDrawn() for owner-drawn faces), TCustomControl
// ...); it may return nullptr for a control it does not show.
//
// Model -> peer: when a windowed control's state changes the model calls
// Changed(what); the peer reads the new value from its control. The model
// never calls the peer for a change the peer itself reported.
// Peer -> model: the peer reports user input with the control's Handle...
// methods (HandleClick, HandleTextEdited, HandleMouseMove ... in
// ui/Controls.h, ui/StdCtrls.h, ui/Forms.h). Those run the program's handlers
// through the dispatcher, so a peer never catches anything itself; what else
// escapes is reported where the message entered the program. A peer also
// reports the platform's cancel mode and the loss of the mouse capture
// (HandleCancelMode) and the context menu request (HandleContextPopup).
// Painting: a self-painted control's peer paints in WM_PAINT with
// TWinControl::PaintSurface (its own face, then its windowless children);
// the non-client frame (PaintBorder, NonClientBorder()) is the peer's to
// place.
//
// Coordinates in the model are device pixels relative to the parent's client
// area; the layout has already been scaled for the screen's resolution, so
// peers place controls as they stand, without scaling again.
#include <cstdint>
#include <memory>

#include "ui/Graphics.h"

namespace dz {

class TWinControl;

enum class PeerChange {
  Bounds,       // Left/Top/Width/Height
  Text,         // Caption or Text
  Visible,
  Enabled,
  Font,         // the effective font (own or parent's)
  Color,        // the effective colour (own or parent's): repaint
  Items,        // combo box list
  ItemIndex,    // combo box selection
  Checked,      // check box tick
  MaxLength,    // edit / combo box typing limit
  TabOrder,     // TabOrder or TabStop
  Hint,         // Hint or ShowHint
  Cursor,
  WindowState,  // form: normal / minimised / maximised
  Caption,      // form title (also sent as Text)
  Closed,       // form: the close went through; the window goes away
};

class ControlPeer {
 public:
  virtual ~ControlPeer() = default;
  virtual void Changed(PeerChange what) = 0;
  // Repaint an area of the control's client area (model coordinates).
  virtual void Invalidate(const TRect& area) = 0;
  // Give the native window the keyboard focus.
  virtual void SetFocus() = 0;
  // Whether the native window has the keyboard focus now (the form's
  // focused control keeps its place while the program is not active; its
  // window does not keep the focus).
  virtual bool HasKeyboardFocus() const { return false; }
  // The native window handle as a number (0 when there is none).
  virtual std::uintptr_t NativeHandle() const { return 0; }
  // Hide the hint window if it shows (it is the application's, shared).
  virtual void CancelHint() {}
  // A point of the control's client area on the screen.
  virtual TPoint ClientToScreen(TPoint point) const { return point; }
};

class PeerFactory {
 public:
  virtual ~PeerFactory() = default;
  // The peer of `control`, whose parent (if any) already has its peer.
  virtual std::unique_ptr<ControlPeer> CreatePeer(TWinControl& control) = 0;
};

}  // namespace dz
