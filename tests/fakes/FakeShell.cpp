#include "fakes/FakeShell.h"

namespace dz {

void FakeShell::SendDisplayPower(long value) {
  displayPower.push_back(value);
  log.push_back("power " + std::to_string(value));
}

void FakeShell::LaunchVolumeControl() {
  ++volumeLaunches;
  log.push_back("volume");
}

void FakeShell::OpenWebSite(const std::string& address) {
  webSites.push_back(address);
  log.push_back("web " + address);
}

}  // namespace dz
