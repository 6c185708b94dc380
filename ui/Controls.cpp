#include "ui/Controls.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "runtime/Dispatch.h"
#include "runtime/Exceptions.h"
#include "runtime/Platform.h"
#include "ui/Canvas.h"
#include "ui/Forms.h"
#include "ui/Menus.h"

namespace dz {

// --- TComponent -------------------------------------------------------------

TComponent::TComponent(TComponent* owner) : owner_(owner) {
  if (owner_) owner_->components_.push_back(this);
}

TComponent::~TComponent() {
  // Done already unless the step was skipped: a constructor that failed, or
  // an object that was not made with new.
  SendFreeNotifications();
  FreeOwnedComponents();
  if (owner_) std::erase(owner_->components_, this);
}

void TComponent::operator delete(TComponent* component, std::destroying_delete_t) noexcept {
  component->SendFreeNotifications();
  component->BeforeDestruction();
  void* storage = dynamic_cast<void*>(component);  // the whole object's memory
  component->~TComponent();
  ::operator delete(storage);
}

void* TComponent::operator new(std::size_t size) { return ::operator new(size); }

void TComponent::operator delete(void* storage) noexcept { ::operator delete(storage); }

void TComponent::BeforeDestruction() noexcept { FreeOwnedComponents(); }

void TComponent::FreeOwnedComponents() noexcept {
  // Each owned component takes itself out of the list as it goes.
  while (!components_.empty()) delete components_.back();
}

void TComponent::FreeNotification(TComponent* listener) {
  if (!listener || listener == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), listener) != freeNotifies_.end()) return;
  freeNotifies_.push_back(listener);
  listener->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* listener) noexcept {
  if (!listener) return;
  std::erase(freeNotifies_, listener);
  std::erase(listener->freeNotifies_, this);
}

void TComponent::SendFreeNotifications() noexcept {
  while (!freeNotifies_.empty()) {
    TComponent* other = freeNotifies_.back();
    RemoveFreeNotification(other);
    other->ComponentFreed(this);
  }
}

// --- TControl ---------------------------------------------------------------

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl() { LeaveParent(); }

void TControl::BeforeDestruction() noexcept {
  LeaveParent();
  TComponent::BeforeDestruction();
}

void TControl::LeaveParent() noexcept {
  if (!parent_) return;
  if (TForm* form = ParentForm()) form->ControlGone(this);
  // The parent paints the place again (a windowed child's window is gone).
  parent_->InvalidateRect(BoundsRect());
  if (parent_->mouseCapture_ == this) parent_->mouseCapture_ = nullptr;
  std::erase(parent_->controls_, this);
  parent_ = nullptr;
}

void TControl::ComponentFreed(TComponent* component) noexcept {
  if (component == popupMenu_) popupMenu_ = nullptr;
  TComponent::ComponentFreed(component);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  auto* self = IsWindowed() ? static_cast<TWinControl*>(this) : nullptr;
  if (parent_) {
    if (TForm* form = ParentForm()) form->ControlGone(this);
    if (self) self->DestroyPeers();
    else parent_->InvalidateRect(BoundsRect());
    if (parent_->mouseCapture_ == this) parent_->mouseCapture_ = nullptr;
    std::erase(parent_->controls_, this);
  }
  parent_ = parent;
  if (!parent_) return;
  parent_->controls_.push_back(this);
  if (self) {
    if (self->tabOrder_ < 0) {
      int next = 0;
      for (TControl* c : parent_->controls_) {
        if (c != this && c->IsWindowed()) ++next;
      }
      self->tabOrder_ = next;
    }
    if (parent_->Peer()) self->CreatePeers();
  } else {
    parent_->InvalidateRect(BoundsRect());
  }
  if (parentFont_) FontChanged();
  if (parentColor_) ColorChanged();
}

TForm* TControl::ParentForm() const {
  const TControl* top = this;
  while (top->parent_) top = top->parent_;
  return dynamic_cast<TForm*>(const_cast<TControl*>(top));
}

void TControl::SetBounds(int left, int top, int width, int height) {
  const TSizeConstraints& c = constraints_;
  if (c.MaxWidth > 0) width = std::min(width, c.MaxWidth);
  if (c.MaxHeight > 0) height = std::min(height, c.MaxHeight);
  width = std::max(width, c.MinWidth);
  height = std::max(height, c.MinHeight);
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  if (!IsWindowed() && parent_) parent_->InvalidateRect(BoundsRect());
  const int dx = width - width_, dy = height - height_;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  NotifyChange(PeerChange::Bounds);
  if (dx != 0 || dy != 0) Resized(dx, dy);
}

void TControl::SetConstraints(const TSizeConstraints& constraints) {
  constraints_ = constraints;
  SetBounds(left_, top_, width_, height_);
}

void TControl::FollowParent(int dx, int dy) {
  // One direction at a time: position and extent along it.
  const auto follow = [](TAnchors anchors, TAnchors nearEdge, TAnchors farEdge, int grow, int& pos,
                         int& extent) {
    const bool toNear = anchors & nearEdge, toFar = anchors & farEdge;
    if (toNear && toFar) extent += grow;
    else if (toFar) pos += grow;
    else if (!toNear) pos += grow / 2;
  };
  int left = left_, top = top_, width = width_, height = height_;
  follow(anchors_, akLeft, akRight, dx, left, width);
  follow(anchors_, akTop, akBottom, dy, top, height);
  SetBounds(left, top, width, height);
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
  if (menu == popupMenu_) return;
  if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
  popupMenu_ = menu;
  if (popupMenu_) popupMenu_->FreeNotification(this);
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  if (!visible_ && parent_) {
    if (TForm* form = ParentForm()) form->ControlGone(this);
  }
  NotifyChange(PeerChange::Visible);
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->parent_) {
    if (!c->visible_) return false;
  }
  return true;
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  NotifyChange(PeerChange::Enabled);
}

void TControl::AssignText(const std::string& text, bool fromPeer) {
  if (text == text_) return;
  text_ = text;
  TextChanged(fromPeer);
}

void TControl::TextChanged(bool fromPeer) {
  if (!fromPeer) NotifyChange(PeerChange::Text);
}

const TFont& TControl::Font() const {
  return parentFont_ && parent_ ? parent_->Font() : font_;
}

void TControl::SetFont(const TFont& font) {
  const bool same = Font() == font;
  font_ = font;
  parentFont_ = false;
  if (!same) FontChanged();
}

void TControl::SetParentFont(bool on) {
  if (on == parentFont_) return;
  const TFont old = Font();
  if (on && parent_) font_ = parent_->Font();
  parentFont_ = on;
  if (!(old == Font())) FontChanged();
}

void TControl::FontChanged() { NotifyChange(PeerChange::Font); }

TColor TControl::Color() const {
  return parentColor_ && parent_ ? parent_->Color() : color_;
}

void TControl::SetColor(TColor color) {
  const TColor old = Color();
  color_ = color;
  parentColor_ = false;
  if (old != color) ColorChanged();
}

void TControl::SetParentColor(bool on) {
  if (on == parentColor_) return;
  const TColor old = Color();
  if (on && parent_) color_ = parent_->Color();
  parentColor_ = on;
  if (old != Color()) ColorChanged();
}

void TControl::ColorChanged() { NotifyChange(PeerChange::Color); }

void TControl::SetCursor(TCursor cursor) {
  if (cursor == cursor_) return;
  cursor_ = cursor;
  NotifyChange(PeerChange::Cursor);
}

void TControl::SetHint(const std::string& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  NotifyChange(PeerChange::Hint);
}

bool TControl::ShowHint() const {
  return parentShowHint_ && parent_ ? parent_->ShowHint() : showHint_;
}

void TControl::SetShowHint(bool on) {
  showHint_ = on;
  parentShowHint_ = false;
  NotifyChange(PeerChange::Hint);
}

void TControl::SetParentShowHint(bool on) {
  if (on == parentShowHint_) return;
  if (on && parent_) showHint_ = parent_->ShowHint();
  parentShowHint_ = on;
  NotifyChange(PeerChange::Hint);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  // The second press of a double click fires OnDblClick, not a second click:
  // a double click on a link opens the web site once.
  if (button == mbLeft && ClickOnRelease() && !(shift & ssDouble)) mouseTracked_ = true;
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && mouseTracked_) {
    mouseTracked_ = false;
    if (ClientRect().Contains(x, y)) Click();
  }
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::CancelMode() { mouseTracked_ = false; }

void TControl::ContextPopup(TPoint pos, bool& handled) {
  if (OnContextPopup) OnContextPopup(this, pos, handled);
}

void TControl::Paint(Canvas&) {}

void TControl::Invalidate() {
  if (IsWindowed()) {
    static_cast<TWinControl*>(this)->InvalidateRect(ClientRect());
  } else if (parent_) {
    parent_->InvalidateRect(BoundsRect());
  }
}

void TControl::NotifyChange(PeerChange) {
  if (parent_) parent_->InvalidateRect(BoundsRect());
}

// --- TGraphicControl --------------------------------------------------------

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

// --- TWinControl ------------------------------------------------------------

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  // Only when the destruction step was skipped.
  DestroyPeers();
  if (TForm* form = ParentForm()) form->ControlGone(this);
  // Children this control does not own outlive it as orphans.
  for (TControl* c : controls_) c->parent_ = nullptr;
  controls_.clear();
  mouseCapture_ = nullptr;
}

void TWinControl::BeforeDestruction() noexcept {
  // The native windows go while the whole object (and every child) exists.
  DestroyPeers();
  TControl::BeforeDestruction();
}

void TWinControl::SetTabOrder(int order) {
  if (order == tabOrder_) return;
  tabOrder_ = order;
  NotifyChange(PeerChange::TabOrder);
}

void TWinControl::SetTabStop(bool on) {
  if (on == tabStop_) return;
  tabStop_ = on;
  NotifyChange(PeerChange::TabOrder);
}

std::vector<TWinControl*> TWinControl::TabList() const {
  std::vector<TWinControl*> list;
  for (TControl* c : controls_) {
    if (c->IsWindowed()) list.push_back(static_cast<TWinControl*>(c));
  }
  std::stable_sort(list.begin(), list.end(),
                   [](const TWinControl* a, const TWinControl* b) { return a->tabOrder_ < b->tabOrder_; });
  return list;
}

bool TWinControl::Focused() const {
  const TForm* form = ParentForm();
  return form && form->ActiveControl() == this;
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent()) {
    if (!c->Visible() || !c->Enabled()) return false;
  }
  return true;
}

void TWinControl::SetFocus() {
  // Focusing a hidden or disabled control is a quiet no-op: a wake-up must
  // not fail because the window is minimised.
  if (!CanFocus()) return;
  if (TForm* form = ParentForm()) form->SetActiveControl(this);
  if (peer_) peer_->SetFocus();
}

bool TWinControl::TakeFocusForPress() {
  // The window too: the model's focus stays put while the program is inactive.
  if (!Focused() || (peer_ && !peer_->HasKeyboardFocus())) SetFocus();
  return Focused();
}

int TWinControl::ClientWidth() const { return std::max(0, Width() - 2 * NonClientBorder()); }
int TWinControl::ClientHeight() const { return std::max(0, Height() - 2 * NonClientBorder()); }

void TWinControl::CreatePeers() {
  PeerFactory* factory = CurrentPlatform().peers;
  if (!factory) return;
  if (!peer_) {
    peer_ = factory->CreatePeer(*this);
    // A control the platform could not make would be silently missing.
    if (!peer_) throw EOutOfResources("Error creating window");
  }
  for (TControl* c : controls_) {
    if (c->IsWindowed()) static_cast<TWinControl*>(c)->CreatePeers();
  }
}

void TWinControl::DestroyPeers() noexcept {
  for (TControl* c : controls_) {
    if (c->IsWindowed()) static_cast<TWinControl*>(c)->DestroyPeers();
  }
  peer_.reset();
}

void TWinControl::Paint(Canvas& canvas) {
  canvas.Brush = {Color(), bsSolid};
  canvas.FillRect(ClientRect());
}

void TWinControl::PaintWindowless(Canvas& canvas) {
  // A control that fails to draw must not leave the ones after it blank:
  // they are drawn all the same, and the first failure is raised at the end.
  std::exception_ptr failure;
  for (TControl* c : controls_) {
    if (c->IsWindowed() || !c->Visible()) continue;
    CanvasStateGuard guard(canvas);
    canvas.OffsetOrigin(c->Left(), c->Top());
    canvas.IntersectClip(c->ClientRect());
    try {
      c->Paint(canvas);
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
  }
  if (failure) std::rethrow_exception(failure);
}

void TWinControl::PaintSurface(Canvas& canvas) {
  Paint(canvas);
  PaintWindowless(canvas);
}

void TWinControl::PaintBorder(Canvas&) {}

void TWinControl::InvalidateRect(const TRect& area) {
  if (peer_) peer_->Invalidate(area);
}

TControl* TWinControl::ControlAtPos(int x, int y) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (!c->IsWindowed() && c->Visible() && c->Enabled() && c->BoundsRect().Contains(x, y)) return c;
  }
  return nullptr;
}

TCursor TWinControl::CursorAt(int x, int y) const {
  if (TControl* c = ControlAtPos(x, y); c && c->Cursor() != crDefault) return c->Cursor();
  return Cursor();
}

TControl* TWinControl::MouseTarget(int x, int y) const {
  return mouseCapture_ ? mouseCapture_ : ControlAtPos(x, y);
}

void TWinControl::HandleMouseMove(TShiftState shift, int x, int y) {
  Dispatch([&] {
    if (TControl* target = MouseTarget(x, y)) {
      target->MouseMove(shift, x - target->Left(), y - target->Top());
    } else {
      MouseMove(shift, x, y);
    }
  });
}

void TWinControl::HandleMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  Dispatch([&] {
    TControl* target = ControlAtPos(x, y);
    if (target && button == mbLeft) mouseCapture_ = target;
    TControl& to = target ? *target : *this;
    const int cx = target ? x - target->Left() : x;
    const int cy = target ? y - target->Top() : y;
    if (button == mbLeft && (shift & ssDouble)) to.DblClick();
    to.MouseDown(button, shift, cx, cy);
  });
}

void TWinControl::HandleMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  Dispatch([&] {
    TControl* target = button == mbLeft ? MouseTarget(x, y) : ControlAtPos(x, y);
    if (button == mbLeft) mouseCapture_ = nullptr;
    if (target) {
      target->MouseUp(button, shift, x - target->Left(), y - target->Top());
    } else {
      MouseUp(button, shift, x, y);
    }
  });
}

void TWinControl::HandleMouseEnter() {
  Dispatch([&] { MouseEnter(); });
}

void TWinControl::HandleMouseLeave() {
  Dispatch([&] { MouseLeave(); });
}

void TWinControl::HandleClick() {
  Dispatch([&] { Click(); });
}

void TWinControl::HandleTextEdited(const std::string& text) {
  Dispatch([&] { AssignText(text, true); });
}

void TWinControl::HandleFocusReceived() {
  if (TForm* form = ParentForm()) form->SetActiveControl(this);
}

void TWinControl::HandleKeyDown(std::uint16_t& key, TShiftState shift) {
  Dispatch([&] { KeyDown(key, shift); });
}

void TWinControl::HandleKeyUp(std::uint16_t& key, TShiftState shift) {
  Dispatch([&] { KeyUp(key, shift); });
}

void TWinControl::HandleCancelMode() {
  Dispatch([&] {
    if (TControl* pressed = std::exchange(mouseCapture_, nullptr)) pressed->CancelMode();
    CancelMode();
  });
}

bool TWinControl::HandleContextPopup(TPoint pos, TPoint screen) {
  bool handled = false;
  Dispatch([&] {
    TControl* target = pos.X >= 0 ? ControlAtPos(pos.X, pos.Y) : nullptr;
    if (!target) target = this;
    for (TControl* c = target; c && !handled; c = c == this ? nullptr : c->Parent()) {
      const TPoint local = pos.X < 0 || c == this ? pos : TPoint{pos.X - c->Left(), pos.Y - c->Top()};
      c->ContextPopup(local, handled);
      if (!handled && c->PopupMenu()) {
        handled = true;
        c->PopupMenu()->Popup(screen.X, screen.Y);
      }
    }
  });
  return handled;
}

void TWinControl::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::KeyDown(std::uint16_t& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(std::uint16_t& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::NotifyChange(PeerChange what) {
  if (peer_) peer_->Changed(what);
}

void TWinControl::FontChanged() {
  TControl::FontChanged();
  for (TControl* c : controls_) {
    if (c->ParentFont()) c->FontChanged();
  }
}

void TWinControl::ColorChanged() {
  TControl::ColorChanged();
  for (TControl* c : controls_) {
    if (c->ParentColor()) c->ColorChanged();
  }
}

void TWinControl::Resized(int dx, int dy) {
  const std::vector<TControl*> children = controls_;  // a child may move itself out
  for (TControl* c : children) c->FollowParent(dx, dy);
}

// --- TCustomControl ---------------------------------------------------------

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

}  // namespace dz
