#pragma once
// The ports through which the alarm's safeguards (alarm/AlarmSafeguards.h)
// keep the system awake, wake it for the alarm, hear of sleep and resume,
// play the built-in wake-up sound and unmute the sound output. None of them
// throws; a request the system refuses is answered with false and the
// alarm carries on without it.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "runtime/Clock.h"

namespace dz {

// The system's idle sleep: while the request is on, the system does not go
// to sleep for want of input. The display is left to its own timeout.
class ExecutionState {
 public:
  virtual ~ExecutionState() = default;
  virtual void SetSystemRequired(bool required) = 0;
};

// One timer that resumes the system from sleep or hibernation at a local
// date and time. Setting it again moves it.
class WakeTimer {
 public:
  virtual ~WakeTimer() = default;
  // False when the system refuses a timer that resumes it (none is set then).
  virtual bool WakeAt(const LocalTime& when) = 0;
  virtual void Cancel() = 0;
};

enum class PowerChange : std::uint8_t {
  Suspending,   // the system is about to sleep or hibernate
  Resumed,      // it has resumed (this may be told more than once per resume)
  TimeChanged,  // the system time or the time zone has been changed
};

// The system's sleep and resume broadcasts, and its clock changes. The handler runs on the message
// loop's thread, through the dispatcher.
class PowerEvents {
 public:
  virtual ~PowerEvents() = default;
  // One handler; an empty one stops the reports.
  virtual void SetHandler(std::function<void(PowerChange)> handler) = 0;
};

// Brings the display on where the display power command alone is not
// enough: it resets the display's idle timeout once and tells the system of
// user input, as a real mouse move would.
class DisplayWake {
 public:
  virtual ~DisplayWake() = default;
  // False when the system refused either request.
  virtual bool WakeDisplay() = 0;
};

// A sound played from memory, looping, on a stream of its own beside the
// media player: no other sound of the process ends it.
class FallbackSound {
 public:
  virtual ~FallbackSound() = default;
  // Starts `wav` (the bytes of a whole WAV file) looping, in place of any
  // sound it plays; the port holds the bytes until the sound stops. False
  // when the system cannot play it.
  virtual bool PlayLooped(std::shared_ptr<const std::vector<std::uint8_t>> wav) = 0;
  virtual void Stop() = 0;
};

// The mute switch of the system's default sound output.
class AudioEndpoint {
 public:
  virtual ~AudioEndpoint() = default;
  // False also when the output cannot be asked.
  virtual bool DefaultOutputMuted() = 0;
  // Unmutes it without touching its volume; false when refused.
  virtual bool UnmuteDefaultOutput() = 0;
};

}  // namespace dz
