#include "media/MciDevice.h"

#include "media/Mci.h"
#include "runtime/Platform.h"

namespace dz {

void MciDevice::Reset() noexcept {
  if (id_ == 0) return;
  const std::uint16_t id = std::exchange(id_, 0);
  try {
    MciParams params;
    Require(CurrentPlatform().mci, "MCI").Send(id, mci::kClose, mci::kWait, params);
  } catch (...) {
    // No port or no memory: nothing is left to close the device with.
  }
}

}  // namespace dz
