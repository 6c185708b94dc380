#pragma once
// The ports through which the portable code reaches the operating system.
// The program installs the Win32 implementations at start-up; tests install
// fakes with ScopedPlatform. Each port is declared next to the code that
// uses it.
#include <string>

namespace dz {

class Clock;          // runtime/Clock.h
class TimerService;   // runtime/TimerService.h
class Dialogs;        // runtime/Dialogs.h
class FileSystem;     // runtime/Files.h
class ShellServices;  // runtime/Shell.h
class MciPort;        // media/Mci.h
class PeerFactory;    // ui/ControlPeer.h
class TextMeasurer;   // ui/Canvas.h
class FileDialogs;    // ui/OpenDialog.h
class ButtonTheme;    // ui/ButtonTheme.h
class PopupMenus;     // ui/Menus.h
class FaceResources;  // media/MediaPlayerFaces.h
class ExecutionState; // alarm/SafeguardPorts.h
class WakeTimer;      // alarm/SafeguardPorts.h
class PowerEvents;    // alarm/SafeguardPorts.h
class FallbackSound;  // alarm/SafeguardPorts.h
class AudioEndpoint;  // alarm/SafeguardPorts.h
class DisplayWake;    // alarm/SafeguardPorts.h

struct Platform {
  Clock* clock = nullptr;
  TimerService* timers = nullptr;
  Dialogs* dialogs = nullptr;
  FileSystem* files = nullptr;
  ShellServices* shell = nullptr;
  MciPort* mci = nullptr;
  PeerFactory* peers = nullptr;        // none: controls have no native peers
  TextMeasurer* text = nullptr;        // none: labels keep their given size
  FileDialogs* fileDialogs = nullptr;
  ButtonTheme* theme = nullptr;        // none: classic button faces only
  PopupMenus* menus = nullptr;
  FaceResources* faces = nullptr;      // none: the player's faces as drawn in source
  // The alarm's safeguards; each one missing is left out.
  ExecutionState* executionState = nullptr;  // none: the system may sleep on idle
  WakeTimer* wakeTimer = nullptr;            // none: nothing wakes the system
  PowerEvents* power = nullptr;              // none: sleep and resume go unnoticed
  FallbackSound* fallbackSound = nullptr;    // none: a failed song stays silent
  AudioEndpoint* audioEndpoint = nullptr;    // none: a muted output stays muted
  DisplayWake* displayWake = nullptr;        // none: the display power command alone
};

// The ports in force; a missing port is a programming error (Require throws).
Platform& CurrentPlatform();

// Installs a set of ports for its lifetime and restores the previous set.
class ScopedPlatform {
 public:
  explicit ScopedPlatform(const Platform& platform);
  ~ScopedPlatform();
  ScopedPlatform(const ScopedPlatform&) = delete;
  ScopedPlatform& operator=(const ScopedPlatform&) = delete;

 private:
  Platform saved_;
};

// The application title ("Dozewell"): caption of message boxes and notices.
std::string& ApplicationTitle();

// Returns *port, or throws Exception naming the missing port.
template <class Port>
Port& Require(Port* port, const char* name);

void ThrowMissingPort(const char* name);

template <class Port>
Port& Require(Port* port, const char* name) {
  if (!port) ThrowMissingPort(name);
  return *port;
}

}  // namespace dz
