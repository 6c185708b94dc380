#include "ui/RTFLabel.h"

#include "ui/Canvas.h"

namespace dz {

TRTFLabel::TRTFLabel(TComponent* owner) : TGraphicControl(owner) {
  SetColor(clWindow);
  SetParentColor(true);
  SetBounds(0, 0, 65, 17);
}

void TRTFLabel::SetTransparent(bool on) {
  if (on == transparent_) return;
  transparent_ = on;
  Invalidate();
}

void TRTFLabel::Paint(Canvas& canvas) {
  if (transparent_) return;
  canvas.Brush = {Color(), bsSolid};
  canvas.FillRect(ClientRect());
}

}  // namespace dz
