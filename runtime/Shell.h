#pragma once
// Shell and display port, and the requests the alarm logic makes of it. None
// of them reports a failure.
#include <string>

namespace dz {

// The author's web site, opened by the link labels. A reserved placeholder
// host until the project has a real one.
inline constexpr const char* kWebSiteAddress = "http://www.dozewell.example/";

class ShellServices {
 public:
  virtual ~ShellServices() = default;
  // WM_SYSCOMMAND / SC_MONITORPOWER to the application window: 2 off, -1 on.
  virtual void SendDisplayPower(long value) = 0;
  virtual void LaunchVolumeControl() = 0;
  virtual void OpenWebSite(const std::string& address) = 0;
};

}  // namespace dz
