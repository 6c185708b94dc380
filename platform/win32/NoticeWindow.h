#pragma once
// The notice box: a plain modal dialog with the message, wrapped at half the
// screen width, and one "OK" button that answers Enter and Esc; caption the
// title, no icon, the system's message font, centred on the screen. Ctrl+C
// copies the box's content to the clipboard as plain text.
#include <string>

#include "platform/win32/GdiHandles.h"
#include "platform/win32/Window.h"

namespace dz::win32 {

class NoticeWindow final : public Window {
 public:
  static constexpr const char* kClassName = "DozewellNotice";

  NoticeWindow(const std::string& message, const std::string& caption, HWND owner) noexcept;
  ~NoticeWindow() override;

  // Runs the nested message loop until the box is closed. A WM_QUIT that
  // arrives meanwhile ends the loop and is posted again for the outer loop.
  void RunModal() noexcept;
  void Close() noexcept { Destroy(); }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept override;
  void OnDestroyed() noexcept override { done_ = true; }

 private:
  // Keys the box handles itself: Enter, Esc, Ctrl+C.
  bool HandleKey(const MSG& msg) noexcept;
  void CopyToClipboard() noexcept;

  std::string message_;
  std::string caption_;
  GdiObject<HFONT> font_;
  HWND button_ = nullptr;
  bool done_ = false;
};

}  // namespace dz::win32
