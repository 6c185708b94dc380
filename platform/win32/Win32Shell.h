#pragma once
// Shell and display port on Win32: the display power command to the
// application window, and shell launches with the verb "open".
#include "runtime/Shell.h"

namespace dz::win32 {

class Win32Shell final : public ShellServices {
 public:
  void SendDisplayPower(long value) override;
  void LaunchVolumeControl() override;
  void OpenWebSite(const std::string& address) override;
};

}  // namespace dz::win32
