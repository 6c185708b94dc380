#pragma once
// Records each shell and display request in order.
#include <string>
#include <vector>

#include "runtime/Shell.h"

namespace dz {

class FakeShell final : public ShellServices {
 public:
  void SendDisplayPower(long value) override;
  void LaunchVolumeControl() override;
  void OpenWebSite(const std::string& address) override;

  std::vector<long> displayPower;
  int volumeLaunches = 0;
  std::vector<std::string> webSites;
  std::vector<std::string> log;  // every request, in order
};

}  // namespace dz
