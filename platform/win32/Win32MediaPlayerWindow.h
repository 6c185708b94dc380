#pragma once
// The media player control's own window: MCI posts its completion notices
// (MM_MCINOTIFY) here, and they reach TMediaPlayer::Notify through the
// dispatcher. The window is made when MCI first needs a callback: a child of
// `parent` when one is given, otherwise a message-only window.
#include "media/MediaPlayer.h"
#include "platform/win32/Window.h"

namespace dz::win32 {

class Win32MediaPlayerWindow final : public Window, public MediaPlayerHost {
 public:
  // Becomes the host of `player` until destroyed; outlive it or go first.
  explicit Win32MediaPlayerWindow(TMediaPlayer& player, HWND parent = nullptr);
  ~Win32MediaPlayerWindow() override;

  std::uintptr_t CallbackWindow() override;
  void ApplyLiveButtons(TButtonSet live) override;
  void ButtonSetsChanged() override;

  // The live set last applied.
  TButtonSet AppliedLiveButtons() const { return applied_; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept override;

 private:
  void Repaint() noexcept;
  TMediaPlayer& player_;
  HWND parent_;
  TButtonSet applied_;
};

}  // namespace dz::win32
