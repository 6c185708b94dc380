// The media player's bar of push-button cells: faces, layout, painting,
// mouse and keyboard, and the firing of a button.
#include <algorithm>
#include <utility>

#include "media/MediaPlayer.h"
#include "media/MediaPlayerFaces.h"
#include "runtime/Platform.h"
#include "ui/Canvas.h"

namespace dz {

namespace {

// Ends a press when it goes out of scope, however the firing went.
class PressEnds {
 public:
  explicit PressEnds(bool& tracking) : tracking_(tracking) {}
  ~PressEnds() { tracking_ = false; }
  PressEnds(const PressEnds&) = delete;
  PressEnds& operator=(const PressEnds&) = delete;

 private:
  bool& tracking_;
};

}  // namespace

// --- faces -------------------------------------------------------------------

void TMediaPlayer::LoadFaces() {
  FaceResources* resources = CurrentPlatform().faces;
  int widest = 0, tallest = 0;
  for (int s = 0; s < kFaceStyleCount; ++s) {
    for (int k = 0; k < kButtonKindCount; ++k) {
      const auto style = static_cast<FaceStyle>(s);
      const auto kind = static_cast<TMPBtnType>(k);
      Image image = resources ? resources->LoadFace(FaceResourceName(style, kind)) : Image{};
      // A face missing from the resources is drawn from source: a button
      // never shows blank.
      if (image.Empty()) image = ToImage(DrawnFace(style, kind));
      widest = std::max(widest, image.Width);
      tallest = std::max(tallest, image.Height);
      faces_[FaceIndex(style, kind)] = Picture(std::move(image), kFaceGround);
    }
  }
  minCellWidth_ = widest + 8;
  minCellHeight_ = tallest + 4;
}

const Picture& TMediaPlayer::Face(FaceStyle style, TMPBtnType kind) const {
  return faces_[FaceIndex(style, kind)];
}

// --- the sets, loading and layout ----------------------------------------------

void TMediaPlayer::SetAutoEnable(bool value) {
  if (value == autoEnable_) return;
  autoEnable_ = value;
  if (value) {
    ApplyLiveButtons();
  } else {
    Invalidate();  // the enabled flags decide again
  }
}

void TMediaPlayer::SetVisibleButtons(TButtonSet set) {
  visibleButtons_ = set;
  if (loading_) {
    cellWidth_ = (Width() - 1) / VisibleCount() + 1;
  } else {
    FitWidthToCells();
  }
  Invalidate();
}

void TMediaPlayer::SetEnabledButtons(TButtonSet set) {
  enabledButtons_ = set;
  Invalidate();
}

void TMediaPlayer::SetColoredButtons(TButtonSet set) {
  coloredButtons_ = set;
  Invalidate();
}

void TMediaPlayer::Loading() { loading_ = true; }

void TMediaPlayer::Loaded() {
  if (loading_) {
    FitWidthToCells();
    loading_ = false;
    Invalidate();
  }
  if (autoOpen_) Open();
}

int TMediaPlayer::VisibleCount() const {
  int count = 0;
  for (int k = 0; k < kButtonKindCount; ++k) {
    if (Shown(static_cast<TMPBtnType>(k))) ++count;
  }
  return count == 0 ? 1 : count;
}

void TMediaPlayer::Resized(int dx, int dy) {
  TCustomControl::Resized(dx, dy);
  if (loading_) return;
  FitSizeToCells();
  Invalidate();
}

void TMediaPlayer::FitSizeToCells() {
  const int count = VisibleCount();
  cellWidth_ = (Width() - 1) / count + 1;
  const int width = std::max(count * (cellWidth_ - 1) + 1, count * (minCellWidth_ - 1) + 1);
  const int height = std::max(Height(), minCellHeight_);
  if (width != Width() || height != Height()) SetBounds(Left(), Top(), width, height);
}

void TMediaPlayer::FitWidthToCells() { SetWidth(VisibleCount() * (cellWidth_ - 1) + 1); }

// --- painting ----------------------------------------------------------------

bool TMediaPlayer::Allowed(TMPBtnType kind) const {
  return autoEnable_ ? liveFlags_.Contains(kind) : enabledButtons_.Contains(kind);
}

bool TMediaPlayer::HasKeyboardFocus() const { return Peer() && Peer()->HasKeyboardFocus(); }

void TMediaPlayer::Paint(Canvas& canvas) {
  // The whole area is the bar's: where no cell lies the button face shows,
  // never what the window held before.
  canvas.Pen = {clWindowFrame, 1, psSolid};
  canvas.Brush = {clBtnFace, bsSolid};
  canvas.Rectangle(ClientRect());
  int x = 0;
  for (int k = 0; k < kButtonKindCount; ++k) {
    const auto kind = static_cast<TMPBtnType>(k);
    if (!Shown(kind)) continue;
    PaintCell(canvas, kind, x);
    x += cellWidth_ - 1;
  }
}

void TMediaPlayer::PaintCell(Canvas& canvas, TMPBtnType kind, int x) {
  const bool sunken = shownDown_ && kind == pressedButton_;
  const int height = ClientHeight();
  const int right = x + cellWidth_;
  canvas.Pen = {clWindowFrame, 1, psSolid};
  canvas.Brush = {clBtnFace, bsSolid};
  canvas.Rectangle({x, 0, right, height});

  canvas.Pen.Color = sunken ? clBtnShadow : clBtnHighlight;
  canvas.MoveTo(x + 1, height - 2);
  canvas.LineTo(x + 1, 1);
  canvas.LineTo(right - 1, 1);
  if (!sunken) {
    canvas.Pen.Color = clBtnShadow;
    canvas.MoveTo(x + 2, height - 2);
    canvas.LineTo(right - 2, height - 2);
    canvas.LineTo(right - 2, 1);
  }

  FaceStyle style = FaceStyle::Disabled;
  if (Enabled() && Allowed(kind))
    style = coloredButtons_.Contains(kind) ? FaceStyle::Coloured : FaceStyle::Enabled;
  const Picture& face = Face(style, kind);
  const int shift = sunken ? 1 : 0;
  canvas.DrawPicture(x + cellWidth_ / 2 - face.Width() / 2 + shift,
                     height / 2 - face.Height() / 2 + shift, face);

  if (kind == focusIndex_ && HasKeyboardFocus()) {
    canvas.DrawFocusRect(TRect{x, 0, right, height}.Inflate(-3, -3).Offset(shift, shift));
  }
}

// --- mouse and keyboard --------------------------------------------------------

void TMediaPlayer::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  // The first cell from the left whose columns hold x, both border columns
  // included: a shared border and the column after it are the left cell's.
  int x0 = 0;
  for (int k = 0; k < kButtonKindCount; ++k) {
    const auto kind = static_cast<TMPBtnType>(k);
    if (!Shown(kind)) continue;
    if (x >= x0 && x <= x0 + cellWidth_) {
      if (!Allowed(kind)) return;
      pressedButton_ = kind;
      if (kind != focusIndex_) {
        focusIndex_ = kind;
        Invalidate();
      }
      // The peer holds the mouse from the press until the release.
      pressedRect_ = {x0, 0, x0 + cellWidth_, ClientHeight()};
      tracking_ = true;
      shownDown_ = true;
      InvalidateRect(pressedRect_);
      return;
    }
    x0 += cellWidth_ - 1;
  }
}

void TMediaPlayer::MouseMove(TShiftState shift, int x, int y) {
  TCustomControl::MouseMove(shift, x, y);
  if (!tracking_) return;
  const bool inside = pressedRect_.Contains(x, y);
  if (inside == shownDown_) return;
  shownDown_ = inside;
  InvalidateRect(pressedRect_);
}

void TMediaPlayer::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseUp(button, shift, x, y);
  if (button != mbLeft) return;
  // The peer has given the mouse up already. A release away from the
  // pressed cell fires nothing; a failing fire ends the press all the same,
  // so the bar never stays pressed.
  const PressEnds ends(tracking_);
  if (!tracking_ || !shownDown_) return;
  shownDown_ = false;
  InvalidateRect(pressedRect_);
  FireButton();
  if (autoEnable_ && lastError_ == 0 && isOpen_) UpdateBarAfterFire();
}

void TMediaPlayer::CancelMode() {
  TCustomControl::CancelMode();
  if (!tracking_) return;
  tracking_ = false;
  if (shownDown_) {
    shownDown_ = false;
    InvalidateRect(pressedRect_);
  }
}

void TMediaPlayer::KeyDown(std::uint16_t& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  switch (key) {
    case vkSpace:
      // The enabled set decides, whatever AutoEnable says.
      if (!enabledButtons_.Contains(focusIndex_)) return;
      pressedButton_ = focusIndex_;
      FireButton();
      if (autoEnable_) UpdateBarAfterFire();
      break;
    case vkLeft:
      StepFocus(-1);
      break;
    case vkRight:
      StepFocus(1);
      break;
    default:
      break;
  }
}

void TMediaPlayer::StepFocus(int direction) {
  // The end kinds take the focus even when they are not shown.
  const TMPBtnType end = direction < 0 ? btPlay : btEject;
  TMPBtnType kind = focusIndex_;
  while (kind != end) {
    kind = static_cast<TMPBtnType>(kind + direction);
    if (Shown(kind)) break;
  }
  if (kind == focusIndex_) return;
  focusIndex_ = kind;
  Invalidate();
}

// --- firing ------------------------------------------------------------------

void TMediaPlayer::DoDefaultAction(TMPBtnType kind) {
  switch (kind) {
    case btPlay: Play(); break;
    case btPause: Pause(); break;
    case btStop: Stop(); break;
    case btNext: Next(); break;
    case btPrev: Previous(); break;
    case btStep: Step(); break;
    case btBack: Back(); break;
    case btRecord: Record(); break;
    case btEject: Eject(); break;
  }
}

void TMediaPlayer::FireButton() {
  bool doDefault = true;
  const TMPBtnType kind = pressedButton_;
  if (OnClick) OnClick(this, kind, doDefault);
  if (!doDefault) return;
  DoDefaultAction(kind);
  if (OnPostClick) OnPostClick(this, kind);
}

void TMediaPlayer::UpdateBarAfterFire() {
  // The kind just fired, or the one the action made it (Next while playing
  // plays from the next track).
  UpdateLiveButtons(pressedButton_);
  ApplyLiveButtons();
}

}  // namespace dz
