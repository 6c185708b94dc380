#pragma once
// The popup menu a control shows on a right click or the menu key
// (TControl::PopupMenu), and the port it is shown through.
//
// Port: the platform installs a PopupMenus as CurrentPlatform().menus.
// Track shows the entries at a screen point, waits until the user chose one
// or dismissed the menu, and returns the chosen index or -1.
#include <memory>
#include <string>
#include <vector>

#include "ui/Controls.h"

namespace dz {

struct MenuEntry {
  std::string caption;
  bool enabled = true;
  bool checked = false;
};

class PopupMenus {
 public:
  virtual ~PopupMenus() = default;
  virtual int Track(const std::vector<MenuEntry>& entries, int screenX, int screenY) = 0;
};

class TMenuItem : public TObject {
 public:
  const char* ClassName() const override { return "TMenuItem"; }
  std::string Caption;
  bool Enabled = true;
  bool Checked = false;
  TNotifyEvent OnClick;  // Sender: the item
};

class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* owner) : TComponent(owner) {}
  const char* ClassName() const override { return "TPopupMenu"; }

  TMenuItem& Add(std::string caption, TNotifyEvent onClick = {});
  const std::vector<std::unique_ptr<TMenuItem>>& Items() const { return items_; }

  TNotifyEvent OnPopup;  // just before the menu shows

  // Shows the menu at a screen point; the chosen item's OnClick runs. A menu
  // without items shows nothing (OnPopup still runs).
  void Popup(int screenX, int screenY);

  // The control the menu was last shown for, and where.
  TComponent* PopupComponent() const noexcept { return popupComponent_; }
  void SetPopupComponent(TComponent* component) noexcept { popupComponent_ = component; }
  TPoint PopupPoint() const noexcept { return popupPoint_; }

 private:
  std::vector<std::unique_ptr<TMenuItem>> items_;
  TComponent* popupComponent_ = nullptr;
  TPoint popupPoint_;
};

}  // namespace dz
