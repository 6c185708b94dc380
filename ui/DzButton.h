#pragma once
// The large picture push button of the main window (Snooze, Repeat off): an
// owner-drawn push button that paints a glyph and its caption, arranged by
// ButtonLayout, on a face drawn classic or in the desktop's visual style.
//
// The peer reports the paint request (pressed and focused bits), the
// pointer's enter and leave, presses and releases; the button keeps every
// other state itself: DrawState (the state of the last paint), MouseInside,
// Active (the default-button look, following the form's focus changes),
// the auto-repeat timer and the drop-down. Painting is in DzButtonPaint.cpp.
#include <cstdint>
#include <span>
#include <string_view>

#include "ui/DzGlyph.h"
#include "ui/DzObjects.h"
#include "ui/StdCtrls.h"

namespace dz {

class TCustomImageList;
class TPopupMenu;

enum TDzUserButtonStyle { ubsAutoDetect, ubsWin31, ubsWin40, ubsStudio, ubsStudioFlat, ubsFlat,
                          ubsFlatUnColored, ubsNavigator, ubsExplorer, ubsExplorerColored,
                          ubsIntegrated, ubsWinXP, ubsWinXPCombo, ubsWinXPTool };

// The state of the last paint; the numbers are glyph cell indexes too.
enum class TDzDrawState { Normal = 0, Disabled = 1, Hot = 2, Pressed = 4 };

// The face a style is drawn with now: ubsAutoDetect is ubsWinXP with an
// active visual style, else ubsWin40; without one the themed styles fall
// back to ubsWin40, ubsIntegrated and ubsExplorerColored.
TDzUserButtonStyle EffectiveStyle(TDzUserButtonStyle style, bool themesActive) noexcept;

class TDzCustomButton : public TButton {
 public:
  explicit TDzCustomButton(TComponent* owner);
  ~TDzCustomButton() override;
  const char* ClassName() const override { return "TDzCustomButton"; }

  bool UseCaption() const noexcept { return useCaption_; }
  void SetUseCaption(bool on);
  bool MultiLine() const noexcept { return multiLine_; }
  void SetMultiLine(bool on);

  // Setting a glyph takes it instead of the image list's; a strip whose
  // width is a whole multiple of its height sets NumGlyphs to the ratio
  // (1 from a ratio of 6 on).
  const Image& Glyph() const noexcept { return glyph_.Bitmap(); }
  void SetGlyph(Image glyph);
  // The glyph as the window layout stores it (ui/StoredBitmap.h); NumGlyphs
  // stays as it is.
  void ReadGlyph(std::span<const std::uint8_t> stored);
  // 0..5; 0 is ignored, other values raise ERangeError.
  int NumGlyphs() const noexcept { return glyph_.NumGlyphs(); }
  void SetNumGlyphs(int n);

  TDzButtonLayout& ButtonLayout() noexcept { return layout_; }
  const TDzButtonLayout& ButtonLayout() const noexcept { return layout_; }
  void SetButtonLayout(const TDzButtonLayout& layout) { layout_.Assign(layout); }
  TDzFxCaption& FontFX() noexcept { return fontFx_; }
  const TDzFxCaption& FontFX() const noexcept { return fontFx_; }
  void SetFontFX(const TDzFxCaption& fx) { fontFx_.Assign(fx); }
  // Shortcut used by the window layout.
  TDzTextArrange AlignText2Glyph() const noexcept { return layout_.AlignText2Glyph(); }
  void SetAlignText2Glyph(TDzTextArrange arrange) { layout_.SetAlignText2Glyph(arrange); }

  TDzUserButtonStyle ExtStyle() const noexcept { return extStyle_; }
  void SetExtStyle(TDzUserButtonStyle style);
  // The "Style" property of older layouts: "nbsAutoDetect", "nbsWin31" or
  // "nbsWin40"; any other text raises Exception ("Invalid property value").
  void ReadStyle(std::string_view value);

  int ModalResult() const noexcept { return modalResult_; }
  void SetModalResult(int result) noexcept { modalResult_ = result; }
  bool HideHint() const noexcept { return hideHint_; }
  void SetHideHint(bool on) noexcept { hideHint_ = on; }
  bool RepeatedClick() const noexcept { return repeatedClick_; }
  void SetRepeatedClick(bool on);
  std::uint16_t RepeatingDelay() const noexcept { return repeatingDelay_; }
  void SetRepeatingDelay(std::uint16_t ms) noexcept { repeatingDelay_ = ms; }
  std::uint16_t RepeatingInterval() const noexcept { return repeatingInterval_; }
  void SetRepeatingInterval(std::uint16_t ms) noexcept { repeatingInterval_ = ms; }

  // The glyph from a picture list: ImageList's picture at ImageIndex, while
  // no Glyph was set after it. Negative indexes are ignored.
  TCustomImageList* ImageList() const noexcept { return imageList_; }
  void SetImageList(TCustomImageList* list);
  int ImageIndex() const noexcept { return imageIndex_; }
  void SetImageIndex(int index);
  int ListIndex() const noexcept { return listIndex_; }
  void SetListIndex(int index) noexcept {
    if (index >= 0) listIndex_ = index;
  }

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseExit;

  // Run-time state.
  TDzDrawState DrawState() const noexcept { return drawState_; }
  bool MouseInside() const noexcept { return mouseInside_; }
  bool Active() const noexcept { return active_; }
  int RepeatTimer() const noexcept { return repeatTimer_; }
  bool DroppingDown() const noexcept { return droppingDown_; }
  TDzGlyph& GlyphHolder() noexcept { return glyph_; }

  // Copies ModalResult to the form, then runs OnClick.
  void Click() override;
  bool OwnerDrawn() const override { return true; }
  // The paint request: the whole face into (0, 0, Width, Height).
  void DrawItem(Canvas& canvas, bool pressed, bool focused) override;

  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void ActiveControlChanged(TWinControl* focused) override;
  bool DialogKey(std::uint16_t key, TShiftState shift) override;

 protected:
  void NotifyChange(PeerChange what) override;
  // Shown pressed whatever the platform says (a drop-down is showing).
  void SetHeldDown(bool on);
  void SetDroppingDown(bool on) noexcept { droppingDown_ = on; }
  void ResetDrawState() noexcept { drawState_ = TDzDrawState::Normal; }

 private:
  void StopRepeat() noexcept;
  void RepeatTick();
  void TakeImageListGlyph();
  void ForgetImageList() noexcept;
  // Painting (DzButtonPaint.cpp).
  TRect DrawFace(Canvas& canvas, TDzUserButtonStyle face, bool focused);
  TRect DrawClassicFace(Canvas& canvas, TRect r, bool focused);
  TRect DrawFlatFace(Canvas& canvas, TRect r);
  bool DrawThemedFace(Canvas& canvas, TDzUserButtonStyle face, TRect& content);
  void DrawContent(Canvas& canvas, const TRect& area);
  void DrawCaption(Canvas& canvas, const std::string& text, TRect box, unsigned flags);

  TDzGlyph glyph_;
  TDzButtonLayout layout_;
  TDzFxCaption fontFx_;
  bool useCaption_ = true;
  bool multiLine_ = false;
  TDzUserButtonStyle extStyle_ = ubsAutoDetect;
  int modalResult_ = 0;
  bool hideHint_ = true;
  bool repeatedClick_ = false;
  std::uint16_t repeatingDelay_ = 500;
  std::uint16_t repeatingInterval_ = 100;
  TCustomImageList* imageList_ = nullptr;
  int imageIndex_ = 0;
  int listIndex_ = 0;

  TDzDrawState drawState_ = TDzDrawState::Normal;
  bool mouseInside_ = false;
  bool active_ = false;
  bool heldDown_ = false;
  bool droppingDown_ = false;
  int repeatTimer_ = 0;
};

// Adds the drop-down menu: a click runs OnClick, then shows DropDownMenu
// below the button (or, with DropDownRight, to its right), the button held
// down until the menu closes.
class TDzButton : public TDzCustomButton {
 public:
  explicit TDzButton(TComponent* owner) : TDzCustomButton(owner) {}
  ~TDzButton() override;
  const char* ClassName() const override { return "TDzButton"; }

  TPopupMenu* DropDownMenu() const noexcept { return dropDownMenu_; }
  void SetDropDownMenu(TPopupMenu* menu);
  int DropDownIndent() const noexcept { return dropDownIndent_; }
  void SetDropDownIndent(int indent) noexcept { dropDownIndent_ = indent; }
  bool DropDownRight() const noexcept { return dropDownRight_; }
  void SetDropDownRight(bool on) noexcept { dropDownRight_ = on; }

  TNotifyEvent OnDropDown;

  void Click() override;

 private:
  void DropDown();
  TPopupMenu* dropDownMenu_ = nullptr;
  int dropDownIndent_ = 0;
  bool dropDownRight_ = false;
};

}  // namespace dz
