#include "ui/Menus.h"

#include "runtime/Platform.h"

namespace dz {

TMenuItem& TPopupMenu::Add(std::string caption, TNotifyEvent onClick) {
  auto item = std::make_unique<TMenuItem>();
  item->Caption = std::move(caption);
  item->OnClick = std::move(onClick);
  items_.push_back(std::move(item));
  return *items_.back();
}

void TPopupMenu::Popup(int screenX, int screenY) {
  popupPoint_ = {screenX, screenY};
  if (OnPopup) OnPopup(this);
  if (items_.empty()) return;
  std::vector<MenuEntry> entries;
  for (const auto& item : items_) entries.push_back({item->Caption, item->Enabled, item->Checked});
  const int chosen = Require(CurrentPlatform().menus, "menus").Track(entries, screenX, screenY);
  if (chosen < 0 || chosen >= static_cast<int>(items_.size())) return;
  TMenuItem& item = *items_[static_cast<std::size_t>(chosen)];
  if (item.Enabled && item.OnClick) item.OnClick(&item);
}

}  // namespace dz
