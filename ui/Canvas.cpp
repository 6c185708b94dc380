#include "ui/Canvas.h"

#include <algorithm>

namespace dz {

TColor DefaultSystemColor(int index) {
  switch (index) {
    case 0: return RGBColor(192, 192, 192);   // scroll bar
    case 1: return RGBColor(0, 128, 128);     // desktop
    case 5: return RGBColor(255, 255, 255);   // window
    case 6: return RGBColor(0, 0, 0);         // window frame
    case 8: return RGBColor(0, 0, 0);         // window text
    case 13: return RGBColor(0, 0, 128);      // highlight
    case 14: return RGBColor(255, 255, 255);  // highlight text
    case 15: return RGBColor(192, 192, 192);  // button face
    case 16: return RGBColor(128, 128, 128);  // button shadow
    case 17: return RGBColor(128, 128, 128);  // grey text
    case 18: return RGBColor(0, 0, 0);        // button text
    case 20: return RGBColor(255, 255, 255);  // button highlight
    case 21: return RGBColor(0, 0, 0);        // 3-D dark shadow
    case 22: return RGBColor(223, 223, 223);  // 3-D light
    case 23: return RGBColor(0, 0, 0);        // tooltip text
    case 24: return RGBColor(255, 255, 225);  // tooltip background
    default: return RGBColor(192, 192, 192);
  }
}

TRect TRect::Intersect(const TRect& o) const {
  TRect r{std::max(Left, o.Left), std::max(Top, o.Top), std::min(Right, o.Right),
          std::min(Bottom, o.Bottom)};
  if (r.Empty()) return {};
  return r;
}

void Frame3D(Canvas& canvas, TRect& rect, TColor topColor, TColor bottomColor, int width) {
  canvas.Pen.Width = 1;
  canvas.Pen.Style = psSolid;
  --rect.Bottom;
  --rect.Right;
  for (int i = 0; i < width; ++i) {
    canvas.Pen.Color = topColor;
    canvas.MoveTo(rect.Left, rect.Bottom);
    canvas.LineTo(rect.Left, rect.Top);
    canvas.LineTo(rect.Right, rect.Top);
    canvas.Pen.Color = bottomColor;
    canvas.LineTo(rect.Right, rect.Bottom);
    canvas.LineTo(rect.Left - 1, rect.Bottom);
    rect = rect.Inflate(-1, -1);
  }
  ++rect.Bottom;
  ++rect.Right;
}

void DrawSunkenEdge(Canvas& canvas, const TRect& rect) {
  TRect r = rect;
  Frame3D(canvas, r, clBtnShadow, clBtnHighlight, 1);
  Frame3D(canvas, r, cl3DDkShadow, cl3DLight, 1);
}

void DrawButtonFrame(Canvas& canvas, const TRect& rect, bool pressed) {
  TRect r = rect;
  if (pressed) {
    Frame3D(canvas, r, cl3DDkShadow, clBtnHighlight, 1);
    Frame3D(canvas, r, clBtnShadow, cl3DLight, 1);
  } else {
    Frame3D(canvas, r, clBtnHighlight, cl3DDkShadow, 1);
    Frame3D(canvas, r, cl3DLight, clBtnShadow, 1);
  }
}

}  // namespace dz
