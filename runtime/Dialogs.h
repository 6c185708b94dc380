#pragma once
// Dialogs port: the boxes through which the program speaks to the user. Both
// boxes are modal and run a nested message loop: timers keep ticking.
#include <string>

namespace dz {

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Sends the cancel-mode message to the window holding the mouse capture.
  virtual void CancelMouseCapture() = 0;
  // The platform message box: stop icon, one OK button, owned by the
  // application window; the program's other windows disabled meanwhile.
  virtual void ShowErrorBox(const std::string& text, const std::string& caption) = 0;
  // The program's own notice dialog: no icon, one "OK" button.
  virtual void ShowNoticeBox(const std::string& text, const std::string& caption) = 0;
};

}  // namespace dz
