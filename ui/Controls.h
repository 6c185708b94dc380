#pragma once
// The control model. The controls' texts, ticks and colours are the
// program's data; a control holds them itself and raises its events. A
// windowed control may have a native peer (ui/ControlPeer.h) that mirrors it
// on screen and reports the user's changes back; without one it still works.
//
// Rules kept here, once:
// - A change of a text or tick made by the program runs the change handler
//   just like the user's change; setting a value equal to the current one
//   does nothing and runs nothing. The user's change, reported by the peer,
//   goes through the same setter.
// - Change handlers (OnChange, a check box's OnClick on a tick change) and
//   every handler started by user input (Handle... methods) run through the
//   dispatcher (runtime/Dispatch.h): a failure is reported and the caller
//   goes on. Other handlers called by the program (Click()) propagate.
// - A control without a colour (font, hint setting) of its own follows its
//   parent's, so the children flash with the window.
// - Windowless controls (TGraphicControl) are painted by their parent on its
//   own surface below its windowed children, later ones over earlier ones;
//   the parent routes a mouse event to the topmost visible, enabled
//   windowless child under the pointer before handling it itself.
//
// Lifetime: components live on the heap and go with delete (a std::unique_ptr
// does it). Delete first runs the destruction step on the whole object:
// those that asked to hear of it are told, then BeforeDestruction tears down
// what refers back to the object, most derived class first (a windowed
// control's native windows, its place in its parent, the components it owns,
// last created first); only then do the destructors run. So a native window
// never outlives the object it shows, and nothing calls a virtual function
// of a half-destroyed object.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "ui/ControlPeer.h"
#include "ui/Graphics.h"

namespace dz {

class Canvas;
class TWinControl;
class TForm;
class TPopupMenu;

enum TShiftFlag : unsigned {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64,
};
using TShiftState = unsigned;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Key codes of the keys a form or a control acts on (the platform's numbers).
inline constexpr std::uint16_t vkReturn = 13;
inline constexpr std::uint16_t vkEscape = 27;
inline constexpr std::uint16_t vkSpace = 32;
inline constexpr std::uint16_t vkLeft = 37;
inline constexpr std::uint16_t vkRight = 39;

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
  virtual const char* ClassName() const { return "TObject"; }
};

using TNotifyEvent = std::function<void(TObject* Sender)>;
using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
using TKeyEvent = std::function<void(TObject* Sender, std::uint16_t& Key, TShiftState Shift)>;
// MousePos is in the control's client coordinates, (-1, -1) when the menu
// key asked; a handler that sets Handled keeps the popup menu away.
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;

// The edges of its parent a control keeps its distance to when the parent
// is resized; with both edges of a direction it stretches, with neither it
// keeps its place relative to the middle.
enum TAnchorKind : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = unsigned;

// Limits of a control's size; 0 means no limit.
struct TSizeConstraints {
  int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
};

// How long the pointer rests before a hint shows, and how long it stays.
inline constexpr unsigned kHintPauseMs = 500;
inline constexpr unsigned kHintHidePauseMs = 2500;

class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  const char* ClassName() const override { return "TComponent"; }

  // Every delete of a component comes here: the destruction step, then the
  // destructors, then the memory goes.
  static void operator delete(TComponent* component, std::destroying_delete_t) noexcept;
  // The allocation that pairs with it, and the release of an object whose
  // constructor failed (which never had a destruction step).
  static void* operator new(std::size_t size);
  static void operator delete(void* storage) noexcept;

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  TComponent* Owner() const { return owner_; }
  const std::vector<TComponent*>& Components() const { return components_; }

  // `listener` refers to this component and hears of its destruction
  // (ComponentFreed) before anything of it goes. Both sides forget each
  // other when either goes.
  void FreeNotification(TComponent* listener);
  void RemoveFreeNotification(TComponent* listener) noexcept;

 protected:
  // The destruction step (see the top of this file). An override does its
  // part and then calls its base class's; this one frees the owned
  // components, last created first.
  virtual void BeforeDestruction() noexcept;
  // A component this one asked to hear of is being destroyed.
  virtual void ComponentFreed(TComponent* component) noexcept { (void)component; }

 private:
  void SendFreeNotifications() noexcept;
  void FreeOwnedComponents() noexcept;
  std::string name_;
  TComponent* owner_;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
};

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;
  const char* ClassName() const override { return "TControl"; }

  virtual bool IsWindowed() const { return false; }

  TWinControl* Parent() const { return parent_; }
  void SetParent(TWinControl* parent);
  // The form this control sits in (itself for a form), or nullptr.
  TForm* ParentForm() const;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  // Width and height are held within Constraints.
  void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors anchors) { anchors_ = anchors; }
  const TSizeConstraints& Constraints() const { return constraints_; }
  void SetConstraints(const TSizeConstraints& constraints);
  virtual int ClientWidth() const { return width_; }
  virtual int ClientHeight() const { return height_; }
  TRect ClientRect() const { return {0, 0, ClientWidth(), ClientHeight()}; }

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  // Visible here and in every parent.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  // Caption and Text are one value, as on the platform.
  const std::string& Caption() const { return text_; }
  void SetCaption(const std::string& text) { AssignText(text, false); }
  const std::string& Text() const { return text_; }
  void SetText(const std::string& text) { AssignText(text, false); }

  // The effective font: the parent's while ParentFont is on.
  const TFont& Font() const;
  void SetFont(const TFont& font);  // switches ParentFont off
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool on);

  // The effective colour: the parent's while ParentColor is on.
  TColor Color() const;
  void SetColor(TColor color);  // switches ParentColor off
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool on);

  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);

  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  // The effective setting: the parent's while ParentShowHint is on.
  bool ShowHint() const;
  void SetShowHint(bool on);  // switches ParentShowHint off
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool on);

  // The menu that a right click or the menu key opens over the control
  // (none: the parent's). Forgotten when the menu is destroyed.
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* menu);

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TContextPopupEvent OnContextPopup;

  // The behaviour behind the events, in the control's client coordinates.
  // Routing and dispatching happen before these are called.
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  // A press in progress is abandoned (the mouse capture was taken away, a
  // box opened): nothing fires and the face comes back up. Controls with a
  // pressed or tracking state of their own extend it.
  virtual void CancelMode();
  virtual void ContextPopup(TPoint pos, bool& handled);

  // Draws the control's client area at the canvas origin (windowless and
  // self-painted controls; the default draws nothing).
  virtual void Paint(Canvas& canvas);
  // Repaint the whole control.
  void Invalidate();

 protected:
  // Tells the screen: a windowed control's peer, or the parent's surface
  // for a windowless one.
  virtual void NotifyChange(PeerChange what);
  // Called after the text changed; fromPeer when the user made the change.
  virtual void TextChanged(bool fromPeer);
  virtual void FontChanged();   // also when the followed parent's font changed
  virtual void ColorChanged();  // also when the followed parent's colour changed
  void AssignText(const std::string& text, bool fromPeer);
  // Whether a left press and release over the control clicks it (native
  // controls report their clicks themselves).
  virtual bool ClickOnRelease() const { return true; }
  // The client area grew by dx, dy.
  virtual void Resized(int dx, int dy) { (void)dx, (void)dy; }
  void BeforeDestruction() noexcept override;
  void ComponentFreed(TComponent* component) noexcept override;
  bool mouseTracked_ = false;  // a left press on this control is in progress

 private:
  friend class TWinControl;
  void LeaveParent() noexcept;
  // Keeps the distances to the anchored edges of a parent that grew by dx, dy.
  void FollowParent(int dx, int dy);
  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAnchors anchors_ = akLeft | akTop;
  TSizeConstraints constraints_;
  TPopupMenu* popupMenu_ = nullptr;
  bool visible_ = true;
  bool enabled_ = true;
  std::string text_;
  TFont font_;
  bool parentFont_ = true;
  TColor color_ = clBtnFace;
  bool parentColor_ = false;
  TCursor cursor_ = crDefault;
  std::string hint_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
};

// A windowless control, drawn by its parent.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* owner);
  const char* ClassName() const override { return "TGraphicControl"; }
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;
  const char* ClassName() const override { return "TWinControl"; }
  bool IsWindowed() const override { return true; }

  // Children in creation order: the drawing order of the windowless ones.
  const std::vector<TControl*>& Controls() const { return controls_; }

  int TabOrder() const { return tabOrder_; }
  void SetTabOrder(int order);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool on);
  // Windowed children by tab order (equal orders by creation).
  std::vector<TWinControl*> TabList() const;

  bool Focused() const;
  bool CanFocus() const;
  // Makes this the form's active control and focuses its peer.
  void SetFocus();
  // A press of a button takes the focus first. False when the focused
  // control keeps it (a handler moved it back): the press is then ignored.
  bool TakeFocusForPress();

  // Width of a frame outside the client area (a sunken border), 0 if none.
  virtual int NonClientBorder() const { return 0; }
  int ClientWidth() const override;
  int ClientHeight() const override;

  ControlPeer* Peer() const { return peer_.get(); }
  // Creates the peers of this control and its windowed descendants through
  // the installed factory (none installed: nothing). Idempotent.
  void CreatePeers();
  // Children's peers first, then this one's.
  void DestroyPeers() noexcept;

  // Painting, for the peers. Paint draws the control's face (the default
  // fills the client area with Color); PaintWindowless draws the windowless
  // children, each with its origin at its top-left and clipped to it;
  // PaintSurface does both. PaintBorder draws the non-client frame with its
  // origin at the outer top-left.
  void Paint(Canvas& canvas) override;
  void PaintWindowless(Canvas& canvas);
  void PaintSurface(Canvas& canvas);
  virtual void PaintBorder(Canvas& canvas);
  // Repaint part of the client area.
  void InvalidateRect(const TRect& area);

  // The topmost visible, enabled windowless child at x, y (client
  // coordinates), or nullptr.
  TControl* ControlAtPos(int x, int y) const;
  // The pointer shape at x, y: the windowless child's, else this control's.
  TCursor CursorAt(int x, int y) const;

  // User input reported by the peer, in client coordinates. A mouse event
  // goes to the windowless child under the pointer (or the one a left press
  // started on, until the release), else to this control. ssDouble in a
  // left press also runs DblClick.
  void HandleMouseMove(TShiftState shift, int x, int y);
  void HandleMouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void HandleMouseUp(TMouseButton button, TShiftState shift, int x, int y);
  void HandleMouseEnter();
  void HandleMouseLeave();
  // A native click (push button, check box).
  void HandleClick();
  // The user changed the text (edit, combo box).
  void HandleTextEdited(const std::string& text);
  // The peer got the keyboard focus.
  void HandleFocusReceived();
  void HandleKeyDown(std::uint16_t& key, TShiftState shift);
  void HandleKeyUp(std::uint16_t& key, TShiftState shift);
  // The platform cancelled the mouse mode (a box opened) or took the mouse
  // capture away: the press of this control, or of the windowless child a
  // press started on, is abandoned.
  void HandleCancelMode();
  // A right click or the menu key at `pos` (client coordinates, (-1, -1)
  // for the key); `screen` places the menu. The windowless child under the
  // pointer, then each control up to this one, may handle it or show its
  // PopupMenu. Returns false when none did (the parent window may then).
  bool HandleContextPopup(TPoint pos, TPoint screen);

  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  // The focus came into this control (or one inside it) from outside, or
  // left it; run like change handlers, through the dispatcher.
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  virtual void KeyPress(char& key);
  virtual void KeyDown(std::uint16_t& key, TShiftState shift);
  virtual void KeyUp(std::uint16_t& key, TShiftState shift);
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}
  // The form's focused control changed (to `focused`, maybe nullptr).
  virtual void ActiveControlChanged(TWinControl* focused) { (void)focused; }
  // Enter or Escape (vkReturn, vkEscape), or an Alt+character (the
  // character's upper-case code with ssAlt), typed anywhere in the form:
  // true when this control takes it (a default or cancel button, an
  // accelerator). See TForm::HandleDialogKey.
  virtual bool DialogKey(std::uint16_t key, TShiftState shift) {
    (void)key;
    (void)shift;
    return false;
  }

 protected:
  void NotifyChange(PeerChange what) override;
  void FontChanged() override;
  void ColorChanged() override;
  void Resized(int dx, int dy) override;
  void BeforeDestruction() noexcept override;

 private:
  friend class TControl;
  TControl* MouseTarget(int x, int y) const;
  std::vector<TControl*> controls_;
  std::unique_ptr<ControlPeer> peer_;
  TControl* mouseCapture_ = nullptr;
  int tabOrder_ = -1;
  bool tabStop_ = false;
};

// A windowed control that paints itself (panel, glyph button, player bar).
class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* owner);
  const char* ClassName() const override { return "TCustomControl"; }
};

}  // namespace dz
