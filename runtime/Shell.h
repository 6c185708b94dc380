#pragma once
// Shell and display services: the requests the alarm logic makes of the
// operating system. None of them reports a failure; their results are not
// looked at. Each goes through the ports of CurrentPlatform().
#include <string>

namespace dz {

// The author's web site, opened by the link labels. A reserved placeholder
// host until the project has a real one.
inline constexpr const char* kWebSiteAddress = "http://www.dozewell.example/";

// Display power values of the system command.
inline constexpr long kDisplayPowerOff = 2;
inline constexpr long kDisplayPowerOn = -1;

class ShellServices {
 public:
  virtual ~ShellServices() = default;
  // WM_SYSCOMMAND / SC_MONITORPOWER to the application window: 2 off, -1 on.
  virtual void SendDisplayPower(long value) = 0;
  // Starts the system's volume control program, owned by the main window.
  virtual void LaunchVolumeControl() = 0;
  // Opens an address with the verb "open", no owner window.
  virtual void OpenWebSite(const std::string& address) = 0;
};

// Switches the display on or off; sent every time, whatever its state.
void SetDisplayPower(bool on);
// Starts the volume control program; nothing is reported when it can't.
void LaunchVolumeControl();
// Opens kWebSiteAddress in the default browser.
void OpenWebSite();
// The folder of the running program, ending in its separator.
std::string ProgramFolder();
// True for an existing file (not a folder) with a convertible date; every
// failure is false.
bool IsExistingFile(const std::string& name);

}  // namespace dz
