#include "platform/win32/Win32MediaPlayerPeer.h"

#include "media/MciConstants.h"
#include "runtime/Dispatch.h"

namespace dz::win32 {

MediaPlayerPeer::MediaPlayerPeer(TMediaPlayer& player) : SurfacePeer(player), player_(player) {}

MediaPlayerPeer::~MediaPlayerPeer() { Destroy(); }

LRESULT MediaPlayerPeer::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == mci::kMmMciNotify) {
    // The device identifier in lParam is not looked at.
    const auto code = static_cast<std::uint32_t>(wParam);
    Dispatch([this, code] { player_.Notify(code); });
    return 0;
  }
  return SurfacePeer::HandleMessage(msg, wParam, lParam);
}

}  // namespace dz::win32
