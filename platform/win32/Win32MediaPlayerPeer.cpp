#include "platform/win32/Win32MediaPlayerPeer.h"

#include "media/MciConstants.h"
#include "runtime/Dispatch.h"

namespace dz::win32 {

MediaPlayerPeer::MediaPlayerPeer(TMediaPlayer& player) : SurfacePeer(player), player_(player) {
  player_.SetHost(this);
}

MediaPlayerPeer::~MediaPlayerPeer() {
  player_.SetHost(nullptr);
  Destroy();
}

std::uintptr_t MediaPlayerPeer::CallbackWindow() { return reinterpret_cast<std::uintptr_t>(Handle()); }

void MediaPlayerPeer::ApplyLiveButtons(TButtonSet) { Repaint(); }

void MediaPlayerPeer::ButtonSetsChanged() { Repaint(); }

void MediaPlayerPeer::Repaint() noexcept {
  if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

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
