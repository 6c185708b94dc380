#include "ui/Buttons.h"

#include <algorithm>

#include "ui/Canvas.h"
#include "ui/Forms.h"

namespace dz {

namespace {

// One cell of a strip of `count` equal cells side by side.
Image Cell(const Image& strip, int index, int count) {
  Image cell;
  if (strip.Empty() || count < 1) return cell;
  cell.Width = strip.Width / count;
  cell.Height = strip.Height;
  if (index >= count) index = 0;
  cell.Pixels.reserve(static_cast<std::size_t>(cell.Width) * cell.Height);
  for (int y = 0; y < cell.Height; ++y) {
    for (int x = 0; x < cell.Width; ++x) cell.Pixels.push_back(strip.At(index * cell.Width + x, y));
  }
  return cell;
}

}  // namespace

// --- TSpeedButton -----------------------------------------------------------

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 23, 22);
}

void TSpeedButton::SetFlat(bool on) {
  if (on == flat_) return;
  flat_ = on;
  Invalidate();
}

void TSpeedButton::SetPressed(bool pressed) {
  if (pressed == pressed_) return;
  pressed_ = pressed;
  Invalidate();
}

void TSpeedButton::Paint(Canvas& canvas) {
  const TRect client = ClientRect();
  canvas.Brush = {clBtnFace, bsSolid};
  canvas.FillRect(client);
  if (!flat_ || pressed_) DrawButtonFrame(canvas, client, pressed_);
  canvas.Font = Font();
  if (!Enabled()) canvas.Font.Color = clGrayText;
  TRect text = pressed_ ? client.Offset(1, 1) : client;
  canvas.DrawText(Caption(), text, dtCenter | dtVCenter | dtSingleLine);
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) SetPressed(true);
  TGraphicControl::MouseDown(button, shift, x, y);
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  // While the press is held the face shows whether a release would click.
  if (mouseTracked_) SetPressed(ClientRect().Contains(x, y));
  TGraphicControl::MouseMove(shift, x, y);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) SetPressed(false);
  TGraphicControl::MouseUp(button, shift, x, y);
}

// --- TBitBtn ----------------------------------------------------------------

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner) {}

void TBitBtn::SetGlyph(Image glyph) {
  glyph_ = std::move(glyph);
  cells_.clear();
  Invalidate();
}

void TBitBtn::SetNumGlyphs(int n) {
  if (n < 1 || n == numGlyphs_) return;
  numGlyphs_ = n;
  cells_.clear();
  Invalidate();
}

const Picture& TBitBtn::CellPicture(int index) {
  if (cells_.empty()) {
    for (int i = 0; i < std::max(numGlyphs_, 2); ++i) {
      Image cell = Cell(glyph_, i, numGlyphs_);
      const TColor transparent = cell.BottomLeft();
      cells_.emplace_back(std::move(cell), transparent);
    }
  }
  return cells_[static_cast<std::size_t>(index)];
}

void TBitBtn::Click() {
  if (kind_ == bkClose) {
    if (TForm* form = ParentForm()) {
      form->Close();
      return;
    }
  }
  TButton::Click();
}

void TBitBtn::DrawItem(Canvas& canvas, bool pressed, bool focused) {
  const TRect client = ClientRect();
  canvas.Brush = {clBtnFace, bsSolid};
  canvas.FillRect(client);
  DrawButtonFrame(canvas, client, pressed);
  canvas.Font = Font();
  if (!Enabled()) canvas.Font.Color = clGrayText;

  const Picture& glyph = CellPicture(Enabled() ? 0 : 1);
  TRect textSize{0, 0, 0, 0};
  canvas.DrawText(Caption(), textSize, dtSingleLine | dtCalcRect);
  const int gap = glyph.Empty() || Caption().empty() ? 0 : spacing_;
  const int total = glyph.Width() + gap + textSize.Width();
  int x = (client.Width() - total) / 2 + (pressed ? 1 : 0);
  const int shift = pressed ? 1 : 0;
  if (!glyph.Empty()) {
    canvas.DrawPicture(x, (client.Height() - glyph.Height()) / 2 + shift, glyph);
    x += glyph.Width() + gap;
  }
  TRect text{x, client.Top + shift, x + textSize.Width(), client.Bottom + shift};
  canvas.DrawText(Caption(), text, dtLeft | dtVCenter | dtSingleLine);
  if (focused) canvas.DrawFocusRect(client.Inflate(-4, -4));
}

}  // namespace dz
