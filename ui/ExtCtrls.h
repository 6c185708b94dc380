#pragma once
// The panel: a windowed, self-painted container with bevels and an optional
// sunken border outside its client area.
//
// Peer: a bordered panel (NonClientBorder() == 2) has a 2-pixel sunken frame
// outside its client area: the platform's client edge, or PaintBorder.
// WM_PAINT draws the client area with PaintSurface.
#include "ui/Controls.h"
#include "ui/StdCtrls.h"

namespace dz {

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TBorderStyle { bsNone, bsSingle };

class TPanel : public TCustomControl {
 public:
  explicit TPanel(TComponent* owner);
  const char* ClassName() const override { return "TPanel"; }

  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut cut);
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut cut);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int width);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int width);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);

  int NonClientBorder() const override { return borderStyle_ == bsSingle ? 2 : 0; }
  void Paint(Canvas& canvas) override;
  void PaintBorder(Canvas& canvas) override;

 private:
  TBevelCut bevelOuter_ = bvRaised;
  TBevelCut bevelInner_ = bvNone;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  TBorderStyle borderStyle_ = bsNone;
  TAlignment alignment_ = taCenter;
};

}  // namespace dz
