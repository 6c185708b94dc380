#include "platform/win32/Win32PopupMenus.h"

#include <windows.h>

#include <utility>

#include "platform/win32/AppWindow.h"

namespace dz::win32 {

namespace {

// CreatePopupMenu / DestroyMenu.
class PopupMenuHandle {
 public:
  PopupMenuHandle() noexcept : menu_(CreatePopupMenu()) {}
  ~PopupMenuHandle() {
    if (menu_) DestroyMenu(menu_);
  }
  PopupMenuHandle(const PopupMenuHandle&) = delete;
  PopupMenuHandle& operator=(const PopupMenuHandle&) = delete;
  HMENU Get() const noexcept { return menu_; }

 private:
  HMENU menu_;
};

}  // namespace

int Win32PopupMenus::Track(const std::vector<MenuEntry>& entries, int screenX, int screenY) {
  PopupMenuHandle menu;
  if (!menu.Get() || entries.empty()) return -1;
  UINT id = 0;
  for (const MenuEntry& entry : entries) {
    UINT flags = MF_STRING;
    if (!entry.enabled) flags |= MF_GRAYED;
    if (entry.checked) flags |= MF_CHECKED;
    AppendMenuA(menu.Get(), flags, ++id, entry.caption.c_str());  // ids from 1: 0 means none chosen
  }
  // The menu needs a window of ours in front, or it stays open when the
  // user clicks elsewhere.
  HWND owner = GetActiveWindow();
  if (!owner) owner = ApplicationWindowHandle();
  SetForegroundWindow(owner);
  const BOOL chosen = TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                     screenX, screenY, 0, owner, nullptr);
  PostMessageA(owner, WM_NULL, 0, 0);  // lets the menu close cleanly, as the platform asks
  return chosen > 0 ? static_cast<int>(chosen) - 1 : -1;
}

}  // namespace dz::win32
