#include "alarm/MediaPlayerControl.h"

#include "ui/Canvas.h"

namespace dz {

TMediaPlayerControl::TMediaPlayerControl(TComponent* owner) : TCustomControl(owner) {
  SetTabStop(true);
  SetBounds(0, 0, 253, 30);
}

void TMediaPlayerControl::Paint(Canvas& canvas) {
  const TRect client = ClientRect();
  canvas.Brush = {clBtnFace, bsSolid};
  canvas.FillRect(client);
  int shown = 0;
  for (int kind = 0; kind < kButtonKindCount; ++kind) {
    if (VisibleButtons().Contains(static_cast<TMPBtnType>(kind))) ++shown;
  }
  if (shown == 0) return;
  const int cell = client.Width() / shown;
  for (int i = 0; i < shown; ++i) {
    DrawButtonFrame(canvas, {i * cell, 0, (i + 1) * cell, client.Height()}, false);
  }
}

}  // namespace dz
