#include "ui/ExtCtrls.h"

#include "ui/Canvas.h"

namespace dz {

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 185, 41);
}

void TPanel::SetBevelOuter(TBevelCut cut) {
  if (cut == bevelOuter_) return;
  bevelOuter_ = cut;
  Invalidate();
}

void TPanel::SetBevelInner(TBevelCut cut) {
  if (cut == bevelInner_) return;
  bevelInner_ = cut;
  Invalidate();
}

void TPanel::SetBevelWidth(int width) {
  if (width == bevelWidth_) return;
  bevelWidth_ = width;
  Invalidate();
}

void TPanel::SetBorderWidth(int width) {
  if (width == borderWidth_) return;
  borderWidth_ = width;
  Invalidate();
}

void TPanel::SetBorderStyle(TBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  NotifyChange(PeerChange::Bounds);  // the client area changed
}

void TPanel::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  Invalidate();
}

namespace {

void Bevel(Canvas& canvas, TRect& rect, TBevelCut cut, TColor face, int width) {
  switch (cut) {
    case bvNone: return;
    case bvRaised: Frame3D(canvas, rect, clBtnHighlight, clBtnShadow, width); return;
    case bvLowered: Frame3D(canvas, rect, clBtnShadow, clBtnHighlight, width); return;
    case bvSpace: Frame3D(canvas, rect, face, face, width); return;
  }
}

}  // namespace

void TPanel::Paint(Canvas& canvas) {
  TRect r = ClientRect();
  const TColor face = Color();
  Bevel(canvas, r, bevelOuter_, face, bevelWidth_);
  Frame3D(canvas, r, face, face, borderWidth_);
  Bevel(canvas, r, bevelInner_, face, bevelWidth_);
  canvas.Brush = {face, bsSolid};
  canvas.FillRect(r);
  if (!Caption().empty()) {
    canvas.Font = Font();
    unsigned flags = dtSingleLine | dtVCenter | dtExpandTabs;
    if (alignment_ == taCenter) flags |= dtCenter;
    if (alignment_ == taRightJustify) flags |= dtRight;
    canvas.DrawText(Caption(), r, flags);
  }
}

void TPanel::PaintBorder(Canvas& canvas) {
  if (borderStyle_ == bsSingle) DrawSunkenEdge(canvas, Bounds(0, 0, Width(), Height()));
}

}  // namespace dz
