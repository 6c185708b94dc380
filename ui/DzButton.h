#pragma once
// The large picture push button (Snooze, Repeat off): an owner-drawn push
// button with a glyph above its caption. For now it paints a plain face with
// the glyph and caption; its full face styles come later.
#include "ui/StdCtrls.h"

namespace dz {

enum TDzTextArrange { taLeft, taLeftTop, taRight, taRightTop, taTop, taTopLeft, taBottom,
                      taBottomLeft };

class TDzButton : public TButton {
 public:
  explicit TDzButton(TComponent* owner);
  const char* ClassName() const override { return "TDzButton"; }

  const Image& Glyph() const { return glyph_; }
  void SetGlyph(Image glyph);
  TDzTextArrange AlignText2Glyph() const { return alignText2Glyph_; }
  void SetAlignText2Glyph(TDzTextArrange arrange);
  int Spacing() const { return spacing_; }

  bool OwnerDrawn() const override { return true; }
  void DrawItem(Canvas& canvas, bool pressed, bool focused) override;

 private:
  Image glyph_;
  TDzTextArrange alignText2Glyph_ = taRight;
  int spacing_ = 2;
};

}  // namespace dz
