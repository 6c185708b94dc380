#pragma once
// The host system beneath a compatibility layer that runs the program but
// does not pass the display power, sleep and mute requests on to the
// machine. Where the program runs directly on its own system there is no
// bridge, and none of this runs.
//
// BridgedPorts wraps the shell and display, execution-state and sound-output
// ports so that the alarm's requests reach the host as well, at the moments
// a person would notice: one "off" when the screen goes dark, one "on" when
// it wakes, the inhibitor held exactly while the system is kept awake, the
// output unmuted when the alarm unmutes it. The wrapped ports still get
// every request, as before. Requests to the bridge never wait for the host
// and never fail; what the host cannot do is its own business to log.
#include <memory>

#include "alarm/SafeguardPorts.h"
#include "runtime/Shell.h"
#include "runtime/Timer.h"

namespace dz {

struct Platform;

class HostBridge {
 public:
  virtual ~HostBridge() = default;
  virtual void SwitchDisplay(bool on) noexcept = 0;
  // Switches the display off again if it came back on by itself.
  virtual void ReassertDisplayOff() noexcept = 0;
  // Starts or ends holding off the host's idle sleep.
  virtual void HoldAwake(bool hold) noexcept = 0;
  // Tells the inhibitor the program is still alive; one that is not told
  // for a few minutes lets go by itself.
  virtual void RenewAwake() noexcept = 0;
  // Unmutes the host's default sound output; its volume stays.
  virtual void UnmuteOutput() noexcept = 0;
  virtual void OpenVolumeControl() noexcept = 0;
};

// While dark, how often the host display is checked and switched off again.
inline constexpr std::uint32_t kDisplayReassertMs = 10000;
// While the system is kept awake, how often the inhibitor is renewed.
inline constexpr std::uint32_t kAwakeRenewMs = 60000;
// How long the request must stay withdrawn before the host lets go.
inline constexpr std::uint32_t kAwakeReleaseDelayMs = 1000;

// Puts its ports in `platform` in place of the ones they wrap. It must
// outlive every user of them: make it before the window, let it go after.
class BridgedPorts {
 public:
  BridgedPorts(Platform& platform, HostBridge& bridge);
  ~BridgedPorts();
  BridgedPorts(const BridgedPorts&) = delete;
  BridgedPorts& operator=(const BridgedPorts&) = delete;

 private:
  class Shell;
  class Awake;
  class Output;
  std::unique_ptr<Shell> shell_;
  std::unique_ptr<Awake> awake_;
  std::unique_ptr<Output> output_;
};

}  // namespace dz
