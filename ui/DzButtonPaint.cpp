// How the glyph button paints itself: state, face, then glyph and caption.
#include <algorithm>

#include "runtime/Platform.h"
#include "ui/ButtonTheme.h"
#include "ui/Canvas.h"
#include "ui/DzApplication.h"
#include "ui/DzButton.h"

namespace dz {

namespace {

struct Placement {
  TRect caption;
  TPoint glyph;
};

// Arranges the caption box (text) and the glyph box by AlignText2Glyph into
// a block, places the block in `area` by Alignment and applies the offsets.
// Every halving truncates toward zero, so a block larger than the area
// overflows it and an odd pixel falls on the right or bottom.
Placement PlaceContent(const TRect& area, TSize text, TSize glyph, const TDzGlyphTextLayout& layout) {
  const bool hasText = text.cx > 0 && text.cy > 0;
  const bool hasGlyph = glyph.cx > 0 && glyph.cy > 0;
  const int s = hasText == hasGlyph ? layout.Spacing() : 0;
  TPoint t, g;
  int w = 0, h = 0;
  switch (layout.AlignText2Glyph()) {
    case taLeft:
    case taLeftTop:
    case taRight:
    case taRightTop: {
      w = text.cx + s + glyph.cx;
      h = std::max(text.cy, glyph.cy);
      const int ty = text.cy < h ? (h - text.cy) / 2 : 0;
      const int gy = text.cy < h ? 0 : (h - glyph.cy) / 2;
      const TDzTextArrange a = layout.AlignText2Glyph();
      if (a == taLeft || a == taLeftTop) {
        t = {0, ty};
        g = {text.cx + s, a == taLeft ? gy : 0};
      } else {
        t = {glyph.cx + s, ty};
        g = {0, a == taRight ? gy : 1};
      }
      break;
    }
    default: {
      w = std::max(text.cx, glyph.cx);
      h = text.cy + s + glyph.cy;
      const int tx = text.cx < w ? (w - text.cx) / 2 : 0;
      const int gx = text.cx < w ? 0 : (w - glyph.cx) / 2;
      const TDzTextArrange a = layout.AlignText2Glyph();
      if (a == taTop || a == taTopLeft) {
        t = {tx, 0};
        g = {a == taTop ? gx : 0, text.cy + s};
      } else {
        t = {tx, glyph.cy + s};
        g = {a == taBottom ? gx : 0, 0};
      }
      break;
    }
  }
  const int column = layout.Alignment() % 3;
  const int row = layout.Alignment() / 3;
  const int left = column == 0 ? area.Left : column == 1 ? area.Left + (area.Width() - w) / 2 : area.Right - w;
  const int top = row == 0 ? area.Top : row == 1 ? area.Top + (area.Height() - h) / 2 : area.Bottom - h;
  const int ox = layout.OffsetX(), oy = layout.OffsetY();
  return {Bounds(left + 1 + t.X + ox, top + 1 + t.Y + oy, text.cx, text.cy),
          {left + g.X + ox, top + g.Y + oy}};
}

unsigned ColumnAlignment(TDzAlignment alignment) {
  switch (alignment % 3) {
    case 0: return dtLeft;
    case 1: return dtCenter;
    default: return dtRight;
  }
}

bool IsThemedFace(TDzUserButtonStyle face) {
  return face == ubsWinXP || face == ubsWinXPCombo || face == ubsWinXPTool;
}

}  // namespace

TDzUserButtonStyle EffectiveStyle(TDzUserButtonStyle style, bool themesActive) noexcept {
  switch (style) {
    case ubsAutoDetect:
    case ubsWinXP: return themesActive ? ubsWinXP : ubsWin40;
    case ubsWinXPCombo: return themesActive ? ubsWinXPCombo : ubsIntegrated;
    case ubsWinXPTool: return themesActive ? ubsWinXPTool : ubsExplorerColored;
    default: return style;
  }
}

void TDzCustomButton::DrawItem(Canvas& canvas, bool pressed, bool focused) {
  CanvasStateGuard saved(canvas);
  if (!Enabled()) drawState_ = TDzDrawState::Disabled;
  else if (pressed || heldDown_) drawState_ = TDzDrawState::Pressed;
  else if (mouseInside_) drawState_ = TDzDrawState::Hot;
  else drawState_ = TDzDrawState::Normal;

  // Asked on every paint: the user may switch the desktop's style any time.
  const bool themes = TDzApplication::Instance().ThemesActive();
  if (extStyle_ == ubsExplorer || extStyle_ == ubsExplorerColored || IsThemedFace(extStyle_)) {
    canvas.Brush = {Color(), bsSolid};
    canvas.FillRect(ClientRect());
  }
  const TRect content = DrawFace(canvas, EffectiveStyle(extStyle_, themes), focused);
  if (extStyle_ == ubsWinXPCombo && themes) return;
  canvas.Font = Font();
  DrawContent(canvas, content);
}

TRect TDzCustomButton::DrawFace(Canvas& canvas, TDzUserButtonStyle face, bool focused) {
  TRect content;
  // Without the platform's drawing the classic face stands in.
  if (IsThemedFace(face) && DrawThemedFace(canvas, face, content)) return content;
  switch (EffectiveStyle(face, false)) {
    case ubsWin31:
    case ubsWin40:
    case ubsStudio:
      return DrawClassicFace(canvas, ClientRect(), focused);
    default:
      return DrawFlatFace(canvas, ClientRect());
  }
}

TRect TDzCustomButton::DrawClassicFace(Canvas& canvas, TRect r, bool focused) {
  const bool pressed = drawState_ == TDzDrawState::Pressed;
  canvas.Brush = {Color(), bsSolid};
  canvas.FillRect(r);
  if (!pressed && (active_ || focused)) {
    canvas.Brush = {cl3DDkShadow, bsSolid};
    canvas.FrameRect(r);
    r = r.Inflate(-1, -1);
  }
  const TRect s = r;
  if (pressed) {
    canvas.Brush = {clBlack, bsSolid};
    canvas.FrameRect(r);
    canvas.Brush = {clGray, bsSolid};
    canvas.FrameRect(r.Inflate(-1, -1));
  } else {
    Frame3D(canvas, r, clBtnHighlight, cl3DDkShadow, 1);
    Frame3D(canvas, r, Color(), clBtnShadow, 1);
  }
  if (active_) canvas.DrawFocusRect(s.Inflate(pressed ? -4 : -3, pressed ? -4 : -3));
  const TRect content = s.Inflate(-3, -3);
  return pressed ? content.Offset(1, 1) : content;
}

// The flat styles: a thin frame only under the pointer (raised) or pressed
// (sunken).
TRect TDzCustomButton::DrawFlatFace(Canvas& canvas, TRect r) {
  const bool pressed = drawState_ == TDzDrawState::Pressed;
  canvas.Brush = {Color(), bsSolid};
  canvas.FillRect(r);
  TRect frame = r;
  if (pressed) Frame3D(canvas, frame, clBtnShadow, clBtnHighlight, 1);
  else if (drawState_ == TDzDrawState::Hot) Frame3D(canvas, frame, clBtnHighlight, clBtnShadow, 1);
  if (active_) canvas.DrawFocusRect(r.Inflate(-3, -3));
  const TRect content = r.Inflate(-2, -2);
  return pressed ? content.Offset(1, 1) : content;
}

bool TDzCustomButton::DrawThemedFace(Canvas& canvas, TDzUserButtonStyle face, TRect& content) {
  ButtonTheme* theme = CurrentPlatform().theme;
  if (!theme) return false;
  const ThemePart part = face == ubsWinXPCombo  ? ThemePart::DropDownButton
                         : face == ubsWinXPTool ? ThemePart::ToolbarButton
                                                : ThemePart::PushButton;
  // The theme's own default-button look is never used: Active draws the
  // focus rectangle instead.
  const ThemeState state = drawState_ == TDzDrawState::Disabled  ? ThemeState::Disabled
                           : drawState_ == TDzDrawState::Pressed ? ThemeState::Pressed
                           : mouseInside_                        ? ThemeState::Hot
                                                                 : ThemeState::Normal;
  const std::uintptr_t window = Peer() ? Peer()->NativeHandle() : 0;
  // The push button's own border lies just outside the client area.
  const TRect r = part == ThemePart::PushButton ? ClientRect().Inflate(1, 1) : ClientRect();
  if (!theme->DrawPart(canvas, window, part, state, r, r)) return false;
  content = part == ThemePart::PushButton ? r.Inflate(-3, -3) : theme->ContentRect(canvas, window, part, state, r);
  if (active_) canvas.DrawFocusRect(content);
  return true;
}

void TDzCustomButton::DrawContent(Canvas& canvas, const TRect& area) {
  const std::string text = useCaption_ ? Caption() : std::string();
  const Picture* cell = glyph_.CellFor(static_cast<int>(drawState_), canvas);
  unsigned flags = dtExpandTabs | (multiLine_ ? unsigned(dtWordBreak) : 0u);
  TSize textBox;
  if (!text.empty()) {
    // A lone "&" would measure as nothing: it still takes a line.
    TRect measured{0, 0, area.Width(), 0};
    canvas.DrawText(text == "&" ? " " : text, measured, flags | dtCalcRect);
    const int depth = fontFx_.Depth();
    textBox = {measured.Width() + 2 + depth, measured.Height() + 2 + depth};
  }
  const TSize glyphBox = cell ? TSize{cell->Width(), cell->Height()} : TSize{};
  const Placement place = PlaceContent(area, textBox, glyphBox, layout_);
  if (multiLine_) flags |= ColumnAlignment(layout_.Alignment());
  if (!text.empty()) DrawCaption(canvas, text, place.caption, flags);
  if (cell) canvas.DrawPicture(place.glyph.X, place.glyph.Y, *cell);
}

void TDzCustomButton::DrawCaption(Canvas& canvas, const std::string& text, TRect box, unsigned flags) {
  box.Left += fontFx_.PosX();
  box.Top += fontFx_.PosY();
  TDzThreeDStyle style = fontFx_.Style();
  TColor colour = Font().Color;
  if (!Enabled() && fontFx_.DisabledStyle() != dsNone) {
    colour = clGrayText;
    if (fontFx_.DisabledStyle() == dsAuto || fontFx_.DisabledStyle() == ds3d) style = tdSunken;
  } else if (style == tdPColorSunken || style == tdPColorRaised) {
    colour = Color();
  }
  const int ld = fontFx_.LightDepth(), sd = fontFx_.ShadowDepth();
  const TColor light = fontFx_.LightColor(), shadow = fontFx_.ShadowColor();
  // Each pass writes the whole caption in one colour; the right edge is
  // pulled in by the effect's depth so that the passes keep to the box.
  int narrower = 0;
  const auto pass = [&](TColor c, int dx, int dy) {
    canvas.Font.Color = c;
    TRect r{box.Left + dx, box.Top + dy, box.Right - narrower + dx, box.Bottom + dy};
    canvas.DrawText(text, r, flags);
  };
  switch (style) {
    case tdNone:
      pass(colour, 0, 0);
      break;
    case tdSunken:
      narrower = ld;
      pass(light, ld, ld);
      pass(colour, 0, 0);
      break;
    case tdRaised:
      narrower = ld;
      pass(light, 0, 0);
      pass(colour, ld, ld);
      break;
    case tdSunkenShadow:
    case tdPColorSunken:
      narrower = ld + sd;
      pass(shadow, 0, 0);
      pass(light, ld + sd, ld + sd);
      pass(colour, sd, sd);
      break;
    case tdRaisedShadow:
    case tdPColorRaised:
      narrower = ld + sd;
      pass(shadow, ld + sd, ld + sd);
      pass(light, 0, 0);
      pass(colour, ld, ld);
      break;
    default:  // tdShadow; the outline and extrusions are drawn as it
      narrower = sd;
      pass(shadow, sd, sd);
      pass(colour, 0, 0);
      break;
  }
}

}  // namespace dz
