#pragma once
// The system's power services for the alarm: the idle-sleep request of the
// message loop's thread, a wake timer that resumes the system, the display
// brought on, and the sleep and resume broadcasts and clock changes, which
// reach the program through the application window.
#include <windows.h>

#include <functional>

#include "alarm/SafeguardPorts.h"
#include "platform/win32/SystemHandles.h"

namespace dz::win32 {

// SetThreadExecutionState, continuous: system required or nothing. The
// display is never asked for. Call it on the message loop's thread only:
// the request belongs to the thread.
class Win32ExecutionState final : public ExecutionState {
 public:
  void SetSystemRequired(bool required) override;
};

// The display's idle timeout reset once (SetThreadExecutionState with the
// display flag, not continuous) and a mouse move of no distance through
// SendInput: a display kept off after a resume by a wake timer, or one that
// ignores the power-on command, comes on for user input.
class Win32DisplayWake final : public DisplayWake {
 public:
  bool WakeDisplay() override;
};

// A waitable timer set with resume on, for an absolute local time.
class Win32WakeTimer final : public WakeTimer {
 public:
  bool WakeAt(const LocalTime& when) override;
  void Cancel() override;

 private:
  KernelHandle timer_;
};

class Win32PowerEvents final : public PowerEvents {
 public:
  // The one instance: the application window delivers to it.
  static Win32PowerEvents& Instance();

  void SetHandler(std::function<void(PowerChange)> handler) override;

  // A WM_POWERBROADCAST with this event: suspend and the two resume events
  // go to the handler through the dispatcher, the rest is ignored.
  void Deliver(WPARAM event) noexcept;
  // A WM_TIMECHANGE: the system time or the time zone was set.
  void DeliverTimeChange() noexcept;

 private:
  Win32PowerEvents() = default;
  void Tell(PowerChange change) noexcept;
  std::function<void(PowerChange)> handler_;
};

}  // namespace dz::win32
