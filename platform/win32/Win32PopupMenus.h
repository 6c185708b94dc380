#pragma once
// Popup menus port on Win32: a menu made for each showing, tracked with
// TrackPopupMenu until the user chose an item or dismissed it.
#include "ui/Menus.h"

namespace dz::win32 {

class Win32PopupMenus final : public PopupMenus {
 public:
  int Track(const std::vector<MenuEntry>& entries, int screenX, int screenY) override;
};

}  // namespace dz::win32
