#pragma once
// Records every request to the host, in order.
#include <algorithm>
#include <string>
#include <vector>

#include "alarm/HostBridge.h"

namespace dz {

struct FakeHostBridge final : HostBridge {
  void SwitchDisplay(bool on) noexcept override { log.push_back(on ? "display on" : "display off"); }
  void ReassertDisplayOff() noexcept override { log.push_back("reassert"); }
  void HoldAwake(bool hold) noexcept override { log.push_back(hold ? "hold" : "release"); }
  void RenewAwake() noexcept override { log.push_back("renew"); }
  void UnmuteOutput() noexcept override { log.push_back("unmute"); }
  void OpenVolumeControl() noexcept override { log.push_back("volume"); }

  int Count(const std::string& request) const {
    return static_cast<int>(std::count(log.begin(), log.end(), request));
  }
  // The log without the periodic requests.
  std::vector<std::string> Changes() const {
    std::vector<std::string> changes;
    for (const auto& entry : log) {
      if (entry != "reassert" && entry != "renew") changes.push_back(entry);
    }
    return changes;
  }
  std::vector<std::string> log;
};

}  // namespace dz
