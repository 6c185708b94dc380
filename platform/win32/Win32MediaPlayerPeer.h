#pragma once
// The media player control's one window: the self-painted bar (the control
// model keeps its whole state), and the window MCI posts its completion
// notices (MM_MCINOTIFY) to; they reach TMediaPlayer::Notify through the
// dispatcher. Like every surface it asks for the arrow keys, which move the
// bar's focus.
#include "media/MediaPlayer.h"
#include "platform/win32/Win32PeerKinds.h"

namespace dz::win32 {

class MediaPlayerPeer final : public SurfacePeer {
 public:
  explicit MediaPlayerPeer(TMediaPlayer& player);
  ~MediaPlayerPeer() override;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  TMediaPlayer& player_;
};

}  // namespace dz::win32
