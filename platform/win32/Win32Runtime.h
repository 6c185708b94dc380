#pragma once
// The Win32 implementations of the ports, as process-lifetime objects.
// The program installs them once at start-up; the Win32 tests do the same.
#include "runtime/Platform.h"

namespace dz::win32 {

// Fills `platform` with every Win32 port that exists.
void AddWin32Ports(Platform& platform);

// A Platform holding every Win32 port.
Platform Win32Platform();

// Installs the Win32 ports as the current platform (CurrentPlatform()).
void InstallWin32Platform();

}  // namespace dz::win32
