#pragma once
// The form: the top-level window that owns every control of the program.
//
// Peer: the form's peer is the top-level window. It reports the first and
// later activations with HandleActivate, the message loop's first idle
// moment after start-up with HandleStartupIdle, a close request (close box, system
// close command) with HandleCloseRequest, the end of the session (a restart
// or a sign-out, which ends the program without a close) with
// HandleSessionEnd, and every character key typed in
// the form or any of its controls with HandleKeyPress before the key reaches
// the focused native control (false: swallow the key). When a close goes
// through, the form's peer gets Changed(PeerChange::Closed).
#include "ui/Controls.h"

namespace dz {

enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;

class TForm : public TWinControl {
 public:
  explicit TForm(TComponent* owner);
  ~TForm() override;
  const char* ClassName() const override { return "TForm"; }

  TWindowState WindowState() const { return windowState_; }
  void SetWindowState(TWindowState state);
  // The state a restore from minimised brings back: the one the form had
  // before it was minimised (a form made minimised comes back as laid out).
  TWindowState RestoredState() const { return restoredState_; }
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool on) { keyPreview_ = on; }
  // The focused control, or nullptr.
  TWinControl* ActiveControl() const { return activeControl_; }

  TNotifyEvent OnCreate;
  TNotifyEvent OnActivate;  // the first activation only
  // Once, when the message loop first runs out of messages after start-up,
  // whether or not the form was ever activated: a form started minimised
  // without activation, or behind a program that keeps the foreground,
  // still gets going.
  TNotifyEvent OnStartupIdle;
  TCloseEvent OnClose;
  // The session ends with the form still open: the program ends without a
  // close, straight after this handler. Nobody can answer a box then, so a
  // failure is dropped, not reported.
  TNotifyEvent OnSessionEnd;

  // Creates the peers and shows the form in its window state.
  void Show();
  // Runs OnClose; a failing close handler propagates and the form stays
  // open, as does an Action of caNone. Otherwise the form is closed.
  void Close();
  bool Closed() const { return closed_; }

  // From the peer; handlers run through the dispatcher.
  void HandleActivate();
  void HandleStartupIdle();
  void HandleCloseRequest();
  void HandleSessionEnd() noexcept;
  // Key preview: with KeyPreview on, OnKeyPress sees the key first; then the
  // focused control's KeyPress. Returns false when a handler cleared the key.
  bool HandleKeyPress(char& key);
  // Offers a dialog key (TWinControl::DialogKey) to the showing, enabled
  // controls, parents before children in creation order, until one takes
  // it; true when one did (its handler's failure is reported).
  bool HandleDialogKey(std::uint16_t key, TShiftState shift);

  // Set by a button's click; read by whoever shows the form modally.
  int ModalResult() const noexcept { return modalResult_; }
  void SetModalResult(int result) noexcept { modalResult_ = result; }

 protected:
  // Runs OnCreate; the derived form calls it at the end of its constructor.
  void DoCreate();

 private:
  friend class TControl;
  friend class TWinControl;
  void SetActiveControl(TWinControl* control);
  // A control is leaving the form: forget it if it or a child has the focus.
  void ControlGone(TControl* control);
  TWindowState windowState_ = wsNormal;
  TWindowState restoredState_ = wsNormal;
  bool keyPreview_ = false;
  bool activated_ = false;
  bool startupIdle_ = false;
  bool closed_ = false;
  TWinControl* activeControl_ = nullptr;
  int modalResult_ = 0;
};

}  // namespace dz
