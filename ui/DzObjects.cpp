#include "ui/DzObjects.h"

#include "runtime/Exceptions.h"

namespace dz {

// --- TDzObject --------------------------------------------------------------

void TDzObject::EndUpdate() {
  if (updateCount_ == 0) return;
  if (--updateCount_ > 0 || !pending_) return;
  pending_ = false;
  if (OnChange) OnChange(this);
}

void TDzObject::Changed() {
  if (updateCount_ > 0) {
    pending_ = true;
    return;
  }
  if (OnChange) OnChange(this);
}

// --- Layouts ----------------------------------------------------------------

void TDzGlyphTextLayout::CopyFrom(const TDzGlyphTextLayout& source) {
  SetAlignment(source.alignment_);
  SetAlignText2Glyph(source.alignText2Glyph_);
  SetSpacing(source.spacing_);
  SetOffsetX(source.offsetX_);
  SetOffsetY(source.offsetY_);
}

void TDzGlyphTextLayout::Assign(const TDzGlyphTextLayout& source) {
  BeginUpdate();
  CopyFrom(source);
  EndUpdate();
}

void TDzButtonLayout::SetArrowSize(int v) {
  if (v < 2 || v > 10) throw ERangeError();
  Update(arrowSize_, v);
}

void TDzButtonLayout::Assign(const TDzButtonLayout& source) {
  BeginUpdate();
  CopyFrom(source);
  SetArrow(source.arrow_);
  SetArrowColor(source.arrowColor_);
  SetArrowIndent(source.arrowIndent_);
  SetArrowPosition(source.arrowPosition_);
  SetArrowSize(source.arrowSize_);
  EndUpdate();
}

// --- Caption effects --------------------------------------------------------

int TDz3DCaption::Depth() const noexcept {
  if (style_ == tdNone) return 0;
  if (style_ <= tdRaised) return lightDepth_;
  if (style_ <= tdPColorRaised) return lightDepth_ + shadowDepth_;
  return shadowDepth_;
}

void TDz3DCaption::CopyFrom(const TDz3DCaption& source) {
  SetDisabledStyle(source.disabledStyle_);
  SetLightDepth(source.lightDepth_);
  SetShadowDepth(source.shadowDepth_);
  SetLightColor(source.lightColor_);
  SetShadowColor(source.shadowColor_);
  SetOrientation(source.orientation_);
  SetStyle(source.style_);
  SetTracing(source.tracing_);
}

void TDzFxCaption::SetAngle(int v) {
  if (v < 0 || v > 360) throw ERangeError();
  Update(angle_, v == 360 ? 0 : v);
}

void TDzFxCaption::Assign(const TDzFxCaption& source) {
  BeginUpdate();
  CopyFrom(source);
  SetAngle(source.angle_);
  SetPosX(source.posX_);
  SetPosY(source.posY_);
  EndUpdate();
}

}  // namespace dz
