#include "ui/Forms.h"

#include <vector>

#include "runtime/Dispatch.h"

namespace dz {

namespace {

void TellActiveControlChanged(TWinControl& control, TWinControl* focused) {
  control.ActiveControlChanged(focused);
  for (TControl* c : control.Controls()) {
    if (c->IsWindowed()) TellActiveControlChanged(*static_cast<TWinControl*>(c), focused);
  }
}

bool OfferDialogKey(TWinControl& control, std::uint16_t key, TShiftState shift) {
  for (TControl* c : control.Controls()) {
    if (!c->IsWindowed() || !c->Visible() || !c->Enabled()) continue;
    auto& child = *static_cast<TWinControl*>(c);
    if (child.DialogKey(key, shift) || OfferDialogKey(child, key, shift)) return true;
  }
  return false;
}

}  // namespace

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  // A form stays hidden until it is shown.
  SetVisible(false);
  SetBounds(0, 0, 320, 240);
}

TForm::~TForm() = default;

void TForm::SetWindowState(TWindowState state) {
  if (state == windowState_) return;
  if (state == wsMinimized) restoredState_ = windowState_;
  windowState_ = state;
  NotifyChange(PeerChange::WindowState);
}

void TForm::Show() {
  CreatePeers();
  SetVisible(true);
}

void TForm::Close() {
  if (closed_) return;
  TCloseAction action = caHide;
  if (OnClose) OnClose(this, action);  // a failure propagates: the form stays open
  if (action == caNone) return;
  if (action == caMinimize) {
    SetWindowState(wsMinimized);
    return;
  }
  closed_ = true;
  NotifyChange(PeerChange::Closed);
}

void TForm::HandleActivate() {
  if (activated_) return;
  activated_ = true;
  Dispatch([&] {
    if (OnActivate) OnActivate(this);
  });
}

void TForm::HandleStartupIdle() {
  if (startupIdle_) return;
  startupIdle_ = true;
  Dispatch([&] {
    if (OnStartupIdle) OnStartupIdle(this);
  });
}

void TForm::HandleCloseRequest() {
  Dispatch([&] { Close(); });
}

void TForm::HandleSessionEnd() noexcept {
  if (closed_) return;
  try {
    if (OnSessionEnd) OnSessionEnd(this);
  } catch (...) {
    // Not shown: the session is going and takes the program with it.
  }
}

bool TForm::HandleKeyPress(char& key) {
  TWinControl* target = activeControl_ ? activeControl_ : this;
  if (keyPreview_ && target != this) {
    Dispatch([&] { KeyPress(key); });
    if (key == 0) return false;
  }
  Dispatch([&] { target->KeyPress(key); });
  return key != 0;
}

bool TForm::HandleDialogKey(std::uint16_t key, TShiftState shift) {
  bool taken = true;  // a handler that failed has taken the key too
  Dispatch([&] { taken = OfferDialogKey(*this, key, shift); });
  return taken;
}

void TForm::DoCreate() {
  Dispatch([&] {
    if (OnCreate) OnCreate(this);
  });
}

void TForm::SetActiveControl(TWinControl* control) {
  if (control == activeControl_) return;
  // The focus leaves the controls around the old one that do not hold the
  // new one (innermost first) and enters those around the new one that did
  // not hold the old one (outermost first).
  std::vector<TWinControl*> left, entered;
  for (TWinControl* c = activeControl_; c && c != this; c = c->Parent()) left.push_back(c);
  for (TWinControl* c = control; c && c != this; c = c->Parent()) entered.push_back(c);
  while (!left.empty() && !entered.empty() && left.back() == entered.back()) {
    left.pop_back();
    entered.pop_back();
  }
  activeControl_ = control;
  for (TWinControl* c : left) {
    Dispatch([c] {
      if (c->OnExit) c->OnExit(c);
    });
  }
  for (auto it = entered.rbegin(); it != entered.rend(); ++it) {
    Dispatch([c = *it] {
      if (c->OnEnter) c->OnEnter(c);
    });
  }
  TellActiveControlChanged(*this, control);
}

void TForm::ControlGone(TControl* control) {
  for (TControl* c = activeControl_; c; c = c->Parent()) {
    if (c == control) {
      activeControl_ = nullptr;
      return;
    }
  }
}

}  // namespace dz
