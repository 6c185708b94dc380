#pragma once
// The media player as a control of the form: the player logic of
// TMediaPlayer in a windowed, self-painted control that holds its place,
// hint and tab order. The bar it paints is plain for now: one raised cell
// per shown button.
#include "media/MediaPlayer.h"
#include "ui/Controls.h"

namespace dz {

class TMediaPlayerControl : public TCustomControl, public TMediaPlayer {
 public:
  explicit TMediaPlayerControl(TComponent* owner);
  const char* ClassName() const override { return "TMediaPlayer"; }

  // The player's button event (EMPNotify), not the control's plain click.
  using TMediaPlayer::OnClick;

  void Paint(Canvas& canvas) override;
};

}  // namespace dz
