// Start-up and shutdown: the ports, the application object with its title,
// the locale formats, Form1 built from its layout and shown, the message
// loop until a completed close, then Form1 destroyed with its controls and
// timers.
#include <windows.h>

#include <exception>
#include <memory>

#include "alarm/Unit1.h"
#include "platform/win32/AppWindow.h"
#include "platform/win32/GdiCanvas.h"
#include "platform/win32/SystemLibraries.h"
#include "platform/win32/Win32Application.h"
#include "platform/win32/Win32HostBridge.h"
#include "platform/win32/Win32LocaleSource.h"
#include "platform/win32/Win32Peers.h"
#include "platform/win32/Win32Runtime.h"

namespace {

std::unique_ptr<dz::TForm1> CreateMainForm() {
  using namespace dz;
  using namespace dz::win32;
  auto form = std::make_unique<TForm1>(nullptr, ScreenPixelsPerInch() / 96.0);
  // A shortcut set to run minimised starts the program minimised.
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  if (MainWindowShowCommand(startup) == SW_SHOWMINNOACTIVE) form->SetWindowState(wsMinimized);
  form->Show();
  if (!form->Peer() || !form->Peer()->NativeHandle()) throw EOutOfResources("Error creating window");
  return form;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace dz;
  using namespace dz::win32;
  LoadLibrariesFromSystemFolderOnly();
  Application& app = Application::Instance();
  HostBridgeInstall hostBridge;  // outlives the window, which uses its ports
  std::unique_ptr<TForm1> form;
  try {
    InstallWin32Platform();
    AddWin32ControlPorts(CurrentPlatform());
    hostBridge = InstallHostBridge(CurrentPlatform());  // under Wine only
    app.Initialize("Dozewell");
    LoadStartupLocaleFormats();
    ApplicationWindow::Instance().onSettingChange = [] { ReloadLocaleFormats(); };
    form = CreateMainForm();
  } catch (const Exception& error) {
    // Nothing can run without the window: say why and end.
    ShowApplicationError(error);
    return 1;
  } catch (const std::exception& error) {
    ShowApplicationError(Exception(error.what()));
    return 1;
  } catch (...) {
    ShowApplicationError(Exception("Unexpected failure"));
    return 1;
  }
  // A computer that Windows restarts for an update at night starts the
  // program again, whose alarm check then runs with the saved alarm. Not
  // after a crash or a hang, which a restart could only repeat.
  RegisterApplicationRestart(nullptr, RESTART_NO_CRASH | RESTART_NO_HANG);
  const int code = app.Run();
  form.reset();  // controls, the media player's device and the timers go here
  return code;
}
