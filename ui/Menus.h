#pragma once
// A popup menu, as far as a drop-down button needs one: the program itself
// shows no menus, so it has no items and nothing appears on screen; Popup
// tells OnPopup where and for whom it was asked to show.
#include "ui/LinkedComponent.h"

namespace dz {

class TPopupMenu : public TLinkedComponent {
 public:
  explicit TPopupMenu(TComponent* owner) : TLinkedComponent(owner) {}
  const char* ClassName() const override { return "TPopupMenu"; }

  // The control the menu was last shown for.
  TComponent* PopupComponent() const noexcept { return popupComponent_; }
  void SetPopupComponent(TComponent* component) noexcept { popupComponent_ = component; }
  // Where it was last shown, in the client coordinates of the form.
  TPoint PopupPoint() const noexcept { return popupPoint_; }

  // Shows the menu at X, Y and returns when it has closed.
  virtual void Popup(int X, int Y) {
    popupPoint_ = {X, Y};
    if (OnPopup) OnPopup(this);
  }

  TNotifyEvent OnPopup;

 private:
  TComponent* popupComponent_ = nullptr;
  TPoint popupPoint_;
};

}  // namespace dz
