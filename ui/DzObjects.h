#pragma once
// The glyph button's small property objects: the arrangement of glyph and
// caption (TDzGlyphTextLayout, TDzButtonLayout) and the caption effect
// (TDz3DCaption, TDzFxCaption). Each tells its owner through OnChange on
// every property change, except while a batch update is open; closing the
// batch tells once if anything changed. Assign copies in one batch.
#include <cstdint>

#include "ui/Controls.h"

namespace dz {

// Enumerations in declaration order: the order is the stored value.
enum TDzTextArrange { taLeft, taLeftTop, taRight, taRightTop, taTop, taTopLeft, taBottom,
                      taBottomLeft };
enum TDzAlignment { agTopLeft, agTopCenter, agTopRight, agCenterLeft, agCenter, agCenterRight,
                    agBottomLeft, agBottomCenter, agBottomRight };
enum TDzThreeDStyle { tdNone, tdSunken, tdRaised, tdSunkenShadow, tdRaisedShadow, tdPColorSunken,
                      tdPColorRaised, tdShadow, tdOutline, tdExtrude, tdExtrudeEnh };
enum TDzDisabledStyle { dsAuto, dsStandard, ds3d, dsNone };
enum TDzThreeDOrientation { toBottomLeft, toBottomRight, toTopLeft, toTopRight };
enum TDzArrowPosition { apRightText, apLeftText, apRightGlyph, apLeftGlyph };

class TDzObject : public TObject {
 public:
  const char* ClassName() const override { return "TDzObject"; }

  // The owner's link, cut by the owner before it goes.
  TNotifyEvent OnChange;

  void BeginUpdate() noexcept { ++updateCount_; }
  void EndUpdate();
  bool Updating() const noexcept { return updateCount_ > 0; }

 protected:
  void Changed();
  template <class T>
  void Update(T& field, T value) {
    if (field == value) return;
    field = value;
    Changed();
  }

 private:
  int updateCount_ = 0;
  bool pending_ = false;
};

class TDzGlyphTextLayout : public TDzObject {
 public:
  const char* ClassName() const override { return "TDzGlyphTextLayout"; }

  TDzAlignment Alignment() const noexcept { return alignment_; }
  void SetAlignment(TDzAlignment v) { Update(alignment_, v); }
  TDzTextArrange AlignText2Glyph() const noexcept { return alignText2Glyph_; }
  void SetAlignText2Glyph(TDzTextArrange v) { Update(alignText2Glyph_, v); }
  int Spacing() const noexcept { return spacing_; }
  void SetSpacing(int v) { Update(spacing_, v); }
  int OffsetX() const noexcept { return offsetX_; }
  void SetOffsetX(int v) { Update(offsetX_, v); }
  int OffsetY() const noexcept { return offsetY_; }
  void SetOffsetY(int v) { Update(offsetY_, v); }

  void Assign(const TDzGlyphTextLayout& source);

 protected:
  void CopyFrom(const TDzGlyphTextLayout& source);
  TDzAlignment alignment_ = agTopLeft;

 private:
  TDzTextArrange alignText2Glyph_ = taRight;
  int spacing_ = 2;
  int offsetX_ = 0;
  int offsetY_ = 0;
};

class TDzButtonLayout : public TDzGlyphTextLayout {
 public:
  TDzButtonLayout() { alignment_ = agCenter; }
  const char* ClassName() const override { return "TDzButtonLayout"; }

  bool Arrow() const noexcept { return arrow_; }
  void SetArrow(bool v) { Update(arrow_, v); }
  TColor ArrowColor() const noexcept { return arrowColor_; }
  void SetArrowColor(TColor v) { Update(arrowColor_, v); }
  int ArrowIndent() const noexcept { return arrowIndent_; }
  void SetArrowIndent(int v) { Update(arrowIndent_, v); }
  TDzArrowPosition ArrowPosition() const noexcept { return arrowPosition_; }
  void SetArrowPosition(TDzArrowPosition v) { Update(arrowPosition_, v); }
  // 2..10; other values raise ERangeError.
  int ArrowSize() const noexcept { return arrowSize_; }
  void SetArrowSize(int v);

  void Assign(const TDzButtonLayout& source);

 private:
  bool arrow_ = false;
  TColor arrowColor_ = clBlack;
  int arrowIndent_ = 3;
  TDzArrowPosition arrowPosition_ = apRightText;
  int arrowSize_ = 3;
};

class TDz3DCaption : public TDzObject {
 public:
  const char* ClassName() const override { return "TDz3DCaption"; }

  TDzDisabledStyle DisabledStyle() const noexcept { return disabledStyle_; }
  void SetDisabledStyle(TDzDisabledStyle v) { Update(disabledStyle_, v); }
  std::uint8_t LightDepth() const noexcept { return lightDepth_; }
  void SetLightDepth(std::uint8_t v) { Update(lightDepth_, v); }
  std::uint8_t ShadowDepth() const noexcept { return shadowDepth_; }
  void SetShadowDepth(std::uint8_t v) { Update(shadowDepth_, v); }
  TColor LightColor() const noexcept { return lightColor_; }
  void SetLightColor(TColor v) { Update(lightColor_, v); }
  TColor ShadowColor() const noexcept { return shadowColor_; }
  void SetShadowColor(TColor v) { Update(shadowColor_, v); }
  TDzThreeDOrientation Orientation() const noexcept { return orientation_; }
  void SetOrientation(TDzThreeDOrientation v) { Update(orientation_, v); }
  TDzThreeDStyle Style() const noexcept { return style_; }
  void SetStyle(TDzThreeDStyle v) { Update(style_, v); }
  int Tracing() const noexcept { return tracing_; }
  void SetTracing(int v) { Update(tracing_, v); }

  // The pixels Style adds to the caption's width and height.
  int Depth() const noexcept;

 protected:
  void CopyFrom(const TDz3DCaption& source);

 private:
  TDzDisabledStyle disabledStyle_ = dsAuto;
  std::uint8_t lightDepth_ = 1;
  std::uint8_t shadowDepth_ = 1;
  TColor lightColor_ = clBtnHighlight;
  TColor shadowColor_ = clBtnShadow;
  TDzThreeDOrientation orientation_ = toTopLeft;
  TDzThreeDStyle style_ = tdNone;
  int tracing_ = 0;
};

class TDzFxCaption : public TDz3DCaption {
 public:
  const char* ClassName() const override { return "TDzFxCaption"; }

  // 0..360, 360 stored as 0; other values raise ERangeError.
  int Angle() const noexcept { return angle_; }
  void SetAngle(int v);
  std::int16_t PosX() const noexcept { return posX_; }
  void SetPosX(std::int16_t v) { Update(posX_, v); }
  std::int16_t PosY() const noexcept { return posY_; }
  void SetPosY(std::int16_t v) { Update(posY_, v); }

  void Assign(const TDzFxCaption& source);

 private:
  int angle_ = 0;
  std::int16_t posX_ = 0;
  std::int16_t posY_ = 0;
};

}  // namespace dz
