#pragma once
// The standard controls: label (windowless), edit, combo box, check box and
// push button (windowed, each with a native peer on screen).
//
// Peers: an edit or combo box reports typing with HandleTextEdited(text), a
// choice from the list with TComboBox::HandleItemSelected(index); a check box
// reports its new tick with TCheckBox::HandleChecked(checked); a push button
// reports a click with HandleClick(). Each goes through the same setter as a
// change made by the program.
#include <string>
#include <vector>

#include "ui/Controls.h"

namespace dz {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// A label sizes itself to its caption (with AutoSize), breaks the caption
// into lines at CR LF, and fills its background with its colour unless
// Transparent. A right-aligned label keeps its right edge when it resizes.
class TLabel : public TGraphicControl {
 public:
  explicit TLabel(TComponent* owner);
  const char* ClassName() const override { return "TLabel"; }

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool on);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool on);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool on);

  // Sizes the label to its caption when AutoSize is on and a text measurer
  // is installed.
  void AdjustSize();
  // The text flags the caption is measured and drawn with.
  unsigned TextFlags() const;

  void Paint(Canvas& canvas) override;

 protected:
  void TextChanged(bool fromPeer) override;
  void FontChanged() override;

 private:
  bool autoSize_ = true;
  TAlignment alignment_ = taLeftJustify;
  bool transparent_ = false;
  bool wordWrap_ = false;
  bool showAccelChar_ = true;
};

// A one-line edit box. OnChange runs on every change of Text.
class TEdit : public TWinControl {
 public:
  explicit TEdit(TComponent* owner);
  const char* ClassName() const override { return "TEdit"; }

  // Characters the user can type; 0 = no limit. Program changes are not cut.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int length);

  TNotifyEvent OnChange;

 protected:
  void TextChanged(bool fromPeer) override;
  bool ClickOnRelease() const override { return false; }

 private:
  int maxLength_ = 0;
};

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

// A combo box with an editable text and a drop-down list. Text follows the
// chosen item; ItemIndex follows the text (the item equal to it, or -1).
class TComboBox : public TWinControl {
 public:
  explicit TComboBox(TComponent* owner);
  const char* ClassName() const override { return "TComboBox"; }

  TComboBoxStyle Style() const { return style_; }
  const std::vector<std::string>& Items() const { return items_; }
  void SetItems(std::vector<std::string> items);
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);  // -1 clears the selection, keeps the text
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int length);  // typing only; 0 = no limit
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int height);
  bool AutoComplete() const { return autoComplete_; }
  void SetAutoComplete(bool on) { autoComplete_ = on; }
  int DropDownCount() const { return dropDownCount_; }

  // The user chose an item from the list.
  void HandleItemSelected(int index);

  TNotifyEvent OnChange;
  // The user changed the text (typing, deleting, pasting, a choice from the
  // list); runs after OnChange. Changes made by the program do not run it.
  TNotifyEvent OnEdited;

 protected:
  void TextChanged(bool fromPeer) override;
  bool ClickOnRelease() const override { return false; }

 private:
  void SelectIndex(int index, bool fromPeer);
  TComboBoxStyle style_ = csDropDown;
  std::vector<std::string> items_;
  int itemIndex_ = -1;
  int maxLength_ = 0;
  int itemHeight_ = 16;
  bool autoComplete_ = true;
  int dropDownCount_ = 8;
};

// A check box. A change of Checked, by the user or the program, runs OnClick.
class TCheckBox : public TWinControl {
 public:
  explicit TCheckBox(TComponent* owner);
  const char* ClassName() const override { return "TCheckBox"; }

  bool Checked() const { return checked_; }
  void SetChecked(bool checked) { AssignChecked(checked, false); }
  // The peer's new tick after a user's click.
  void HandleChecked(bool checked) { AssignChecked(checked, true); }

 protected:
  bool ClickOnRelease() const override { return false; }

 private:
  void AssignChecked(bool checked, bool fromPeer);
  bool checked_ = false;
};

// A push button. An owner-drawn button's peer asks DrawItem for its face.
class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner);
  const char* ClassName() const override { return "TButton"; }

  bool Default() const { return default_; }
  void SetDefault(bool on) { default_ = on; }
  bool Cancel() const { return cancel_; }
  void SetCancel(bool on) { cancel_ = on; }

  virtual bool OwnerDrawn() const { return false; }
  // Paints the whole face into (0, 0, Width, Height).
  virtual void DrawItem(Canvas& canvas, bool pressed, bool focused);

 protected:
  bool ClickOnRelease() const override { return false; }

 private:
  bool default_ = false;
  bool cancel_ = false;
};

}  // namespace dz
