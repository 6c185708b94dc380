#pragma once
// The media player control's one window: the self-painted bar, and the
// window MCI posts its completion notices (MM_MCINOTIFY) to; they reach
// TMediaPlayer::Notify through the dispatcher. The peer is the control's
// MediaPlayerHost for as long as it lives.
#include "media/MediaPlayer.h"
#include "platform/win32/Win32PeerKinds.h"

namespace dz::win32 {

class MediaPlayerPeer final : public SurfacePeer, public MediaPlayerHost {
 public:
  explicit MediaPlayerPeer(TMediaPlayer& player);
  ~MediaPlayerPeer() override;

  std::uintptr_t CallbackWindow() override;
  void ApplyLiveButtons(TButtonSet live) override;
  void ButtonSetsChanged() override;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void Repaint() noexcept;
  TMediaPlayer& player_;
};

}  // namespace dz::win32
