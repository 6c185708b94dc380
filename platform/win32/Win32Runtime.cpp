#include "platform/win32/Win32Runtime.h"

#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Mci.h"
#include "platform/win32/Win32OpenDialog.h"
#include "platform/win32/Win32Power.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32SoundOutput.h"
#include "platform/win32/Win32TimerService.h"

namespace dz::win32 {

void AddWin32Ports(Platform& platform) {
  // Process-lifetime ports, made on first use on the message loop's thread.
  static Win32TimerService timers;
  static Win32Dialogs dialogs;
  platform.timers = &timers;
  platform.dialogs = &dialogs;
  static Win32Mci mci;
  platform.mci = &mci;
  static Win32Shell shell;
  platform.shell = &shell;
  static Win32Clock clock;
  platform.clock = &clock;
  static Win32FileSystem files;
  platform.files = &files;
  static Win32FileDialogs fileDialogs;
  platform.fileDialogs = &fileDialogs;
  static Win32ExecutionState executionState;
  platform.executionState = &executionState;
  static Win32WakeTimer wakeTimer;
  platform.wakeTimer = &wakeTimer;
  platform.power = &Win32PowerEvents::Instance();
  static Win32FallbackSound fallbackSound;
  platform.fallbackSound = &fallbackSound;
  static Win32AudioEndpoint audioEndpoint;
  platform.audioEndpoint = &audioEndpoint;
  static Win32DisplayWake displayWake;
  platform.displayWake = &displayWake;
  // Further ports go here, one line each.
}

Platform Win32Platform() {
  Platform platform;
  AddWin32Ports(platform);
  return platform;
}

void InstallWin32Platform() { AddWin32Ports(CurrentPlatform()); }

}  // namespace dz::win32
