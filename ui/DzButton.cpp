#include "ui/DzButton.h"

#include <cctype>

#include "runtime/Dialogs.h"
#include "runtime/Exceptions.h"
#include "runtime/Platform.h"
#include "runtime/ScopeExit.h"
#include "ui/DzApplication.h"
#include "ui/Forms.h"
#include "ui/ImgList.h"
#include "ui/Menus.h"
#include "ui/StoredBitmap.h"

namespace dz {

namespace {

// The character after the caption's "&" ("&&" shows one "&") is key.
bool IsAccelerator(std::uint16_t key, const std::string& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return std::toupper(static_cast<unsigned char>(caption[i + 1])) == key;
  }
  return false;
}

}  // namespace

// --- TDzCustomButton --------------------------------------------------------

TDzCustomButton::TDzCustomButton(TComponent* owner) : TButton(owner) {
  SetColor(clWindow);
  SetParentColor(true);
  glyph_.OnChange = [this](TObject*) { Invalidate(); };
  layout_.OnChange = [this](TObject*) { Invalidate(); };
  fontFx_.OnChange = [this](TObject*) {
    SetParentFont(false);
    Invalidate();
  };
  TDzApplication::Instance().AddThemeClient(this);
}

TDzCustomButton::~TDzCustomButton() {
  StopRepeat();
  TDzApplication::Instance().RemoveThemeClient(this);
  glyph_.OnChange = nullptr;
  layout_.OnChange = nullptr;
  fontFx_.OnChange = nullptr;
}

void TDzCustomButton::SetUseCaption(bool on) {
  if (on == useCaption_) return;
  useCaption_ = on;
  Invalidate();
}

void TDzCustomButton::SetMultiLine(bool on) {
  if (on == multiLine_) return;
  multiLine_ = on;
  Invalidate();
}

void TDzCustomButton::SetGlyph(Image glyph) {
  ForgetImageList();
  const int width = glyph.Width, height = glyph.Height;
  glyph_.SetBitmap(std::move(glyph));
  if (height <= 0 || width % height != 0) return;
  const int ratio = width / height;
  if (ratio >= 1) glyph_.SetNumGlyphs(ratio <= 5 ? ratio : 1);
}

void TDzCustomButton::ReadGlyph(std::span<const std::uint8_t> stored) {
  glyph_.SetBitmap(ReadStoredBitmap(stored.data(), stored.size()));
}

void TDzCustomButton::SetNumGlyphs(int n) {
  if (n != 0) glyph_.SetNumGlyphs(n);
}

void TDzCustomButton::SetExtStyle(TDzUserButtonStyle style) {
  if (style == extStyle_) return;
  extStyle_ = style;
  glyph_.SetUncoloured(style == ubsFlatUnColored || style == ubsNavigator || style == ubsExplorer);
  Invalidate();
}

void TDzCustomButton::ReadStyle(std::string_view value) {
  if (value == "nbsAutoDetect") SetExtStyle(ubsAutoDetect);
  else if (value == "nbsWin31") SetExtStyle(ubsWin31);
  else if (value == "nbsWin40") SetExtStyle(ubsWin40);
  else throw Exception("Invalid property value");
}

void TDzCustomButton::SetRepeatedClick(bool on) {
  repeatedClick_ = on;
  if (!on) StopRepeat();
}

void TDzCustomButton::SetImageList(TCustomImageList* list) {
  if (list == imageList_) return;
  ForgetImageList();
  imageList_ = list;
  if (!list) return;
  list->FreeNotification(this);
  TakeImageListGlyph();
}

void TDzCustomButton::SetImageIndex(int index) {
  if (index < 0 || index == imageIndex_) return;
  imageIndex_ = index;
  TakeImageListGlyph();
}

void TDzCustomButton::TakeImageListGlyph() {
  if (!imageList_) return;
  Image picture = imageList_->GetImage(imageIndex_);
  if (!picture.Empty()) glyph_.SetBitmap(std::move(picture));
}

void TDzCustomButton::ForgetImageList() noexcept {
  if (imageList_) imageList_->RemoveFreeNotification(this);
  imageList_ = nullptr;
}

void TDzCustomButton::ComponentFreed(TComponent* component) noexcept {
  if (component == imageList_) {
    // A list that goes takes its glyph with it.
    imageList_ = nullptr;
    glyph_.SetBitmap({});
  }
  TButton::ComponentFreed(component);
}

void TDzCustomButton::Click() {
  if (TForm* form = ParentForm()) form->SetModalResult(modalResult_);
  TButton::Click();
}

void TDzCustomButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && !TakeFocusForPress()) return;
  TButton::MouseDown(button, shift, x, y);
  if (button == mbLeft && repeatedClick_ && repeatTimer_ == 0) {
    repeatTimer_ = TDzApplication::Instance().AcquireTimer(repeatingDelay_, [this] { RepeatTick(); });
  }
}

void TDzCustomButton::RepeatTick() {
  if (!mouseInside_) return;
  TDzApplication::Instance().SetTimerInterval(repeatTimer_, repeatingInterval_);
  Click();
}

void TDzCustomButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) StopRepeat();
  TButton::MouseUp(button, shift, x, y);
}

void TDzCustomButton::CancelMode() {
  StopRepeat();
  TButton::CancelMode();
}

void TDzCustomButton::StopRepeat() noexcept {
  if (repeatTimer_ == 0) return;
  TDzApplication::Instance().ReleaseTimer(repeatTimer_);
  repeatTimer_ = 0;
}

void TDzCustomButton::MouseEnter() {
  if (drawState_ != TDzDrawState::Normal) return;
  if (OnMouseEnter) OnMouseEnter(this);
  mouseInside_ = true;
  Invalidate();
}

void TDzCustomButton::MouseLeave() {
  if (OnMouseExit) OnMouseExit(this);
  if (mouseInside_) {
    mouseInside_ = false;
    drawState_ = TDzDrawState::Normal;
    Invalidate();
  }
  if (hideHint_ && Peer()) Peer()->CancelHint();
}

void TDzCustomButton::ActiveControlChanged(TWinControl* focused) {
  const bool active = dynamic_cast<TButton*>(focused) ? focused == this : Default();
  if (active == active_) return;
  active_ = active;
  Invalidate();
}

bool TDzCustomButton::DialogKey(std::uint16_t key, TShiftState shift) {
  if (!CanFocus()) return false;
  const bool plain = (shift & (ssShift | ssCtrl | ssAlt)) == 0;
  const bool takes = (plain && key == vkReturn && active_) || (plain && key == vkEscape && Cancel()) ||
                     ((shift & ssAlt) && IsAccelerator(key, Caption()));
  if (takes) Click();
  return takes;
}

void TDzCustomButton::NotifyChange(PeerChange what) {
  if (what == PeerChange::Visible && !Visible()) {
    // Shown again, it enters afresh: a hot face left from before would stop that.
    mouseInside_ = false;
    drawState_ = TDzDrawState::Normal;
    StopRepeat();
  }
  TButton::NotifyChange(what);
}

void TDzCustomButton::SetHeldDown(bool on) {
  if (on == heldDown_) return;
  heldDown_ = on;
  Invalidate();
}

// --- TDzButton --------------------------------------------------------------

void TDzButton::SetDropDownMenu(TPopupMenu* menu) {
  if (menu == dropDownMenu_) return;
  if (dropDownMenu_ && dropDownMenu_ != PopupMenu()) dropDownMenu_->RemoveFreeNotification(this);
  dropDownMenu_ = menu;
  if (menu) menu->FreeNotification(this);
}

void TDzButton::ComponentFreed(TComponent* component) noexcept {
  if (component == dropDownMenu_) dropDownMenu_ = nullptr;
  TDzCustomButton::ComponentFreed(component);
}

void TDzButton::Click() {
  TDzCustomButton::Click();
  if (dropDownMenu_ && !DroppingDown()) DropDown();
}

void TDzButton::DropDown() {
  if (!Active()) SetFocus();
  SetHeldDown(true);
  SetDroppingDown(true);
  // However the menu ends, even by a failing handler, the button comes up.
  const ScopeExit closed([this] {
    if (Dialogs* dialogs = CurrentPlatform().dialogs) dialogs->CancelMouseCapture();
    SetDroppingDown(false);
    ResetDrawState();
    SetHeldDown(false);
  });
  if (OnDropDown) OnDropDown(this);
  if (TPopupMenu* menu = dropDownMenu_) {
    // Below the button, or to its right: in the form's client area, then on the screen.
    TPoint at = dropDownRight_ ? TPoint{Width(), dropDownIndent_} : TPoint{dropDownIndent_, Height()};
    for (const TControl* c = this; c->Parent(); c = c->Parent()) {
      at.X += c->Left();
      at.Y += c->Top();
      if (c->Parent()->Parent()) {
        at.X += c->Parent()->NonClientBorder();
        at.Y += c->Parent()->NonClientBorder();
      }
    }
    if (TForm* form = ParentForm(); form && form->Peer()) at = form->Peer()->ClientToScreen(at);
    menu->SetPopupComponent(this);
    menu->Popup(at.X, at.Y);
  }
}

}  // namespace dz
