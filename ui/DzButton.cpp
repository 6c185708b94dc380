#include "ui/DzButton.h"

#include "ui/Canvas.h"

namespace dz {

TDzButton::TDzButton(TComponent* owner) : TButton(owner) {}

void TDzButton::SetGlyph(Image glyph) {
  glyph_ = std::move(glyph);
  Invalidate();
}

void TDzButton::SetAlignText2Glyph(TDzTextArrange arrange) {
  if (arrange == alignText2Glyph_) return;
  alignText2Glyph_ = arrange;
  Invalidate();
}

void TDzButton::DrawItem(Canvas& canvas, bool pressed, bool focused) {
  const TRect client = ClientRect();
  canvas.Brush = {Color(), bsSolid};
  canvas.FillRect(client);
  DrawButtonFrame(canvas, client, pressed);
  canvas.Font = Font();
  if (!Enabled()) canvas.Font.Color = clGrayText;

  // Glyph above the caption, the pair centred.
  TRect textSize{0, 0, 0, 0};
  canvas.DrawText(Caption(), textSize, dtSingleLine | dtCalcRect);
  const int gap = glyph_.Empty() || Caption().empty() ? 0 : spacing_;
  const int total = glyph_.Height + gap + textSize.Height();
  const int shift = pressed ? 1 : 0;
  int y = (client.Height() - total) / 2 + shift;
  if (!glyph_.Empty()) {
    canvas.DrawImage((client.Width() - glyph_.Width) / 2 + shift, y, glyph_, glyph_.BottomLeft());
    y += glyph_.Height + gap;
  }
  TRect text{client.Left + shift, y, client.Right + shift, y + textSize.Height()};
  canvas.DrawText(Caption(), text, dtCenter | dtSingleLine);
  if (focused) canvas.DrawFocusRect(client.Inflate(-4, -4));
}

}  // namespace dz
