#pragma once
// Timer port: periodic platform timers. Ticks are low-priority: a tick that
// falls due while the thread is busy comes when it is free, and missed ticks
// do not pile up.
#include <cstdint>
#include <functional>

namespace dz {

using TimerId = std::uintptr_t;

class TimerService {
 public:
  virtual ~TimerService() = default;
  // Starts a periodic timer whose first tick comes one full period from now.
  // Returns 0 when the platform refuses it.
  virtual TimerId Start(std::uint32_t intervalMs, std::function<void()> onTick) = 0;
  virtual void Stop(TimerId id) = 0;
};

}  // namespace dz
