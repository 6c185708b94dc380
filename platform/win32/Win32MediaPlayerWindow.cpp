#include "platform/win32/Win32MediaPlayerWindow.h"

#include "media/MciConstants.h"
#include "runtime/Dispatch.h"

namespace dz::win32 {

Win32MediaPlayerWindow::Win32MediaPlayerWindow(TMediaPlayer& player, HWND parent)
    : player_(player), parent_(parent) {
  player_.SetHost(this);
}

Win32MediaPlayerWindow::~Win32MediaPlayerWindow() {
  player_.SetHost(nullptr);
  Destroy();
}

std::uintptr_t Win32MediaPlayerWindow::CallbackWindow() {
  if (!Handle()) {
    if (parent_) {
      Create({"DozewellMediaPlayer"}, 0, WS_CHILD | WS_VISIBLE | WS_TABSTOP, "", 0, 0, 240, 30,
             parent_);
    } else {
      Create({"DozewellMediaPlayer"}, 0, 0, "", 0, 0, 0, 0, HWND_MESSAGE);
    }
  }
  return reinterpret_cast<std::uintptr_t>(Handle());
}

void Win32MediaPlayerWindow::ApplyLiveButtons(TButtonSet live) {
  applied_ = live;
  Repaint();
}

void Win32MediaPlayerWindow::ButtonSetsChanged() { Repaint(); }

void Win32MediaPlayerWindow::Repaint() noexcept {
  if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

LRESULT Win32MediaPlayerWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  if (msg == mci::kMmMciNotify) {
    // The device identifier in lParam is not looked at.
    const auto code = static_cast<std::uint32_t>(wParam);
    Dispatch([this, code] { player_.Notify(code); });
    return 0;
  }
  return Window::HandleMessage(msg, wParam, lParam);
}

}  // namespace dz::win32
