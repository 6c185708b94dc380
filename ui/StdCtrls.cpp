#include "ui/StdCtrls.h"

#include <algorithm>

#include "runtime/Dispatch.h"
#include "runtime/Platform.h"
#include "ui/Canvas.h"

namespace dz {

// --- TLabel -----------------------------------------------------------------

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  SetParentColor(true);
  SetBounds(0, 0, 65, 17);
}

void TLabel::SetAutoSize(bool on) {
  if (on == autoSize_) return;
  autoSize_ = on;
  AdjustSize();
}

void TLabel::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  Invalidate();
}

void TLabel::SetTransparent(bool on) {
  if (on == transparent_) return;
  transparent_ = on;
  Invalidate();
}

void TLabel::SetWordWrap(bool on) {
  if (on == wordWrap_) return;
  wordWrap_ = on;
  AdjustSize();
  Invalidate();
}

void TLabel::SetShowAccelChar(bool on) {
  if (on == showAccelChar_) return;
  showAccelChar_ = on;
  AdjustSize();
  Invalidate();
}

unsigned TLabel::TextFlags() const {
  unsigned flags = dtExpandTabs;
  if (alignment_ == taRightJustify) flags |= dtRight;
  if (alignment_ == taCenter) flags |= dtCenter;
  if (wordWrap_) flags |= dtWordBreak;
  if (!showAccelChar_) flags |= dtNoPrefix;
  return flags;
}

void TLabel::AdjustSize() {
  if (!autoSize_) return;
  TextMeasurer* measurer = CurrentPlatform().text;
  if (!measurer) return;
  std::string text = Caption();
  // An empty caption still takes the height of one line.
  if (text.empty() || (showAccelChar_ && text == "&")) text += ' ';
  const TSize size = measurer->MeasureText(Font(), text, TextFlags() & ~unsigned(dtWordBreak));
  const int width = wordWrap_ ? Width() : size.cx;
  const int left = alignment_ == taRightJustify ? Left() + Width() - width : Left();
  SetBounds(left, Top(), width, size.cy);
}

void TLabel::Paint(Canvas& canvas) {
  const TRect client = ClientRect();
  if (!transparent_) {
    canvas.Brush = {Color(), bsSolid};
    canvas.FillRect(client);
  }
  canvas.Font = Font();
  if (!Enabled()) canvas.Font.Color = clGrayText;
  TRect r = client;
  canvas.DrawText(Caption(), r, TextFlags());
}

void TLabel::TextChanged(bool fromPeer) {
  AdjustSize();
  TGraphicControl::TextChanged(fromPeer);
}

void TLabel::FontChanged() {
  AdjustSize();
  TGraphicControl::FontChanged();
}

// --- TEdit ------------------------------------------------------------------

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
  SetColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 121, 21);
}

void TEdit::SetMaxLength(int length) {
  if (length == maxLength_) return;
  maxLength_ = length;
  NotifyChange(PeerChange::MaxLength);
}

void TEdit::TextChanged(bool fromPeer) {
  TWinControl::TextChanged(fromPeer);
  Dispatch([&] {
    if (OnChange) OnChange(this);
  });
}

// --- TComboBox --------------------------------------------------------------

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
  SetColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 145, 21);
}

void TComboBox::SetItems(std::vector<std::string> items) {
  items_ = std::move(items);
  const auto it = std::find(items_.begin(), items_.end(), Text());
  itemIndex_ = it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
  NotifyChange(PeerChange::Items);
}

void TComboBox::SetItemIndex(int index) { SelectIndex(index, false); }

void TComboBox::HandleItemSelected(int index) {
  Dispatch([&] { SelectIndex(index, true); });
}

void TComboBox::SelectIndex(int index, bool fromPeer) {
  if (index < 0 || index >= static_cast<int>(items_.size())) index = -1;
  if (index == itemIndex_) return;
  itemIndex_ = index;
  if (!fromPeer) NotifyChange(PeerChange::ItemIndex);
  if (index >= 0) AssignText(items_[static_cast<std::size_t>(index)], fromPeer);
}

void TComboBox::SetMaxLength(int length) {
  if (length == maxLength_) return;
  maxLength_ = length;
  NotifyChange(PeerChange::MaxLength);
}

void TComboBox::SetItemHeight(int height) {
  if (height == itemHeight_) return;
  itemHeight_ = height;
  NotifyChange(PeerChange::Items);
}

void TComboBox::TextChanged(bool fromPeer) {
  // The selection follows the text: the item equal to it, or none.
  const auto it = std::find(items_.begin(), items_.end(), Text());
  itemIndex_ = it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
  TWinControl::TextChanged(fromPeer);
  Dispatch([&] {
    if (OnChange) OnChange(this);
  });
  if (!fromPeer) return;
  Dispatch([&] {
    if (OnEdited) OnEdited(this);
  });
}

// --- TCheckBox --------------------------------------------------------------

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
  SetParentColor(true);
  SetTabStop(true);
  SetBounds(0, 0, 97, 17);
}

void TCheckBox::AssignChecked(bool checked, bool fromPeer) {
  if (checked == checked_) return;
  checked_ = checked;
  if (!fromPeer) NotifyChange(PeerChange::Checked);
  Dispatch([&] { Click(); });
}

// --- TButton ----------------------------------------------------------------

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  SetColor(clBtnFace);
  SetTabStop(true);
  SetBounds(0, 0, 75, 25);
}

void TButton::DrawItem(Canvas& canvas, bool pressed, bool focused) {
  const TRect client = ClientRect();
  canvas.Brush = {clBtnFace, bsSolid};
  canvas.FillRect(client);
  DrawButtonFrame(canvas, client, pressed);
  canvas.Font = Font();
  if (!Enabled()) canvas.Font.Color = clGrayText;
  TRect text = pressed ? client.Offset(1, 1) : client;
  canvas.DrawText(Caption(), text, dtCenter | dtVCenter | dtSingleLine);
  if (focused) canvas.DrawFocusRect(client.Inflate(-4, -4));
}

}  // namespace dz
