#pragma once
// The speed button (windowless, takes no focus) and the bitmap push button.
#include <vector>

#include "ui/Controls.h"
#include "ui/Picture.h"
#include "ui/StdCtrls.h"

namespace dz {

// A windowless push button with a raised frame, drawn pressed while the
// left button is held over it; a release over it clicks it.
class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* owner);
  const char* ClassName() const override { return "TSpeedButton"; }

  bool Flat() const { return flat_; }
  void SetFlat(bool on);
  bool Pressed() const { return pressed_; }

  void Paint(Canvas& canvas) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

 private:
  void SetPressed(bool pressed);
  bool flat_ = false;
  bool pressed_ = false;
};

enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry,
                   bkIgnore, bkAll };
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// A push button with a picture. The close kind closes the form it sits in
// when clicked (OnClick is not called then). Glyph holds NumGlyphs cells side
// by side: normal, then disabled; its bottom-left pixel is transparent.
class TBitBtn : public TButton {
 public:
  explicit TBitBtn(TComponent* owner);
  const char* ClassName() const override { return "TBitBtn"; }

  TBitBtnKind Kind() const { return kind_; }
  void SetKind(TBitBtnKind kind) { kind_ = kind; }
  const Image& Glyph() const { return glyph_; }
  void SetGlyph(Image glyph);
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int n);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout layout) { layout_ = layout; }
  int Spacing() const { return spacing_; }

  void Click() override;
  bool OwnerDrawn() const override { return true; }
  void DrawItem(Canvas& canvas, bool pressed, bool focused) override;

 private:
  // The glyph's cells as drawn, cut from the strip at the first paint.
  const Picture& CellPicture(int index);

  TBitBtnKind kind_ = bkCustom;
  Image glyph_;
  std::vector<Picture> cells_;
  int numGlyphs_ = 1;
  TButtonLayout layout_ = blGlyphLeft;
  int spacing_ = 4;
};

}  // namespace dz
