#include "ui/Controls.h"

#include <algorithm>

#include "runtime/Dispatch.h"
#include "runtime/Exceptions.h"
#include "runtime/Platform.h"
#include "ui/Canvas.h"
#include "ui/Forms.h"

namespace dz {

// --- TComponent -------------------------------------------------------------

TComponent::TComponent(TComponent* owner) : owner_(owner) {
  if (owner_) owner_->components_.push_back(this);
}

TComponent::~TComponent() {
  // Each owned component takes itself out of the list as it goes.
  while (!components_.empty()) delete components_.back();
  if (owner_) std::erase(owner_->components_, this);
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  for (TComponent* c : components_) {
    if (c->Name() == name) return c;
  }
  return nullptr;
}

// --- TControl ---------------------------------------------------------------

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl() {
  if (!parent_) return;
  if (TForm* form = ParentForm()) form->ControlGone(this);
  if (!IsWindowed()) parent_->InvalidateRect(BoundsRect());
  if (parent_->mouseCapture_ == this) parent_->mouseCapture_ = nullptr;
  std::erase(parent_->controls_, this);
  parent_ = nullptr;
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
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  if (!IsWindowed() && parent_) parent_->InvalidateRect(BoundsRect());
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  NotifyChange(PeerChange::Bounds);
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
  DestroyPeers();
  if (TForm* form = ParentForm()) form->ControlGone(this);
  // The children outlive this part of the object only as orphans.
  for (TControl* c : controls_) c->parent_ = nullptr;
  controls_.clear();
  mouseCapture_ = nullptr;
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

void TWinControl::DestroyPeers() {
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
  for (TControl* c : controls_) {
    if (c->IsWindowed() || !c->Visible()) continue;
    CanvasStateGuard guard(canvas);
    canvas.OffsetOrigin(c->Left(), c->Top());
    canvas.IntersectClip(c->ClientRect());
    c->Paint(canvas);
  }
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

// --- TCustomControl ---------------------------------------------------------

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

}  // namespace dz
