#include "alarm/HostBridge.h"

#include "runtime/Platform.h"

namespace dz {

namespace {

// A timer the platform refuses costs the bridge its periodic requests, and
// never puts an error box before the window.
bool Switch(TTimer& timer, bool on) noexcept {
  try {
    timer.SetEnabled(on);
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace

// Display power: the window asks for "off" every 10 ms while dark, which the
// host must not see as a command each time. The host hears of each change,
// and while dark a check every few seconds.
class BridgedPorts::Shell final : public ShellServices {
 public:
  Shell(ShellServices* inner, HostBridge& bridge) : inner_(inner), bridge_(bridge) {
    reassert_.SetEnabled(false);
    reassert_.SetInterval(kDisplayReassertMs);
    reassert_.SetOnTimer([this] { bridge_.ReassertDisplayOff(); });
  }
  ~Shell() override {
    // Leaving the host screen dark behind a program that has gone would
    // leave some desktops dark until the next login.
    if (dark_) bridge_.SwitchDisplay(true);
  }

  void SendDisplayPower(long value) override {
    if (inner_) inner_->SendDisplayPower(value);
    const bool off = value == kDisplayPowerOff;
    if (off == dark_) return;
    dark_ = off;
    bridge_.SwitchDisplay(!off);
    Switch(reassert_, off);
  }
  // The system's own volume control does not exist beneath the bridge.
  void LaunchVolumeControl() override { bridge_.OpenVolumeControl(); }
  void OpenWebSite(const std::string& address) override {
    if (inner_) inner_->OpenWebSite(address);
  }

 private:
  ShellServices* inner_;
  HostBridge& bridge_;
  bool dark_ = false;
  TTimer reassert_;
};

// The request is withdrawn and made again within one handler when one timer
// hands over to another (the alarm check to the repeat); the host lets go
// only when it stays withdrawn for a moment.
class BridgedPorts::Awake final : public ExecutionState {
 public:
  Awake(ExecutionState* inner, HostBridge& bridge) : inner_(inner), bridge_(bridge) {
    renew_.SetEnabled(false);
    renew_.SetInterval(kAwakeRenewMs);
    renew_.SetOnTimer([this] { bridge_.RenewAwake(); });
    release_.SetEnabled(false);
    release_.SetInterval(kAwakeReleaseDelayMs);
    release_.SetOnTimer([this] { Release(); });
  }
  ~Awake() override {
    if (held_) bridge_.HoldAwake(false);
  }

  void SetSystemRequired(bool required) override {
    if (inner_) inner_->SetSystemRequired(required);
    if (held_) {
      if (required) {
        Switch(release_, false);
      } else if (!Switch(release_, true)) {
        Release();
      }
    } else if (required) {
      held_ = true;
      bridge_.HoldAwake(true);
      Switch(renew_, true);
    }
  }

 private:
  void Release() {
    Switch(release_, false);
    Switch(renew_, false);
    held_ = false;
    bridge_.HoldAwake(false);
  }

  ExecutionState* inner_;
  HostBridge& bridge_;
  bool held_ = false;
  TTimer renew_;
  TTimer release_;
};

class BridgedPorts::Output final : public AudioEndpoint {
 public:
  Output(AudioEndpoint* inner, HostBridge& bridge) : inner_(inner), bridge_(bridge) {}

  // The host's mute cannot be read without waiting for it; an output that
  // may be muted is unmuted, which changes nothing on one that is not.
  bool DefaultOutputMuted() override { return true; }
  bool UnmuteDefaultOutput() override {
    if (inner_ && inner_->DefaultOutputMuted()) inner_->UnmuteDefaultOutput();
    bridge_.UnmuteOutput();
    return true;
  }

 private:
  AudioEndpoint* inner_;
  HostBridge& bridge_;
};

BridgedPorts::BridgedPorts(Platform& platform, HostBridge& bridge)
    : shell_(std::make_unique<Shell>(platform.shell, bridge)),
      awake_(std::make_unique<Awake>(platform.executionState, bridge)),
      output_(std::make_unique<Output>(platform.audioEndpoint, bridge)) {
  platform.shell = shell_.get();
  platform.executionState = awake_.get();
  platform.audioEndpoint = output_.get();
}

BridgedPorts::~BridgedPorts() = default;

}  // namespace dz
