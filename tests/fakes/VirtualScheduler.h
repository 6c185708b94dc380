#pragma once
// TimerService on virtual time. Advance(ms) is the thread being busy for ms
// and then free: each timer whose due time falls within the step ticks once
// (late ticks do not pile up), in the order of their due times. RunFor(ms)
// is the thread idle for ms: every tick comes at its own time. Both may be
// called from inside a tick (a box that is "open" while time passes).
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "runtime/TimerService.h"

namespace dz {

class VirtualScheduler final : public TimerService {
 public:
  TimerId Start(std::uint32_t intervalMs, std::function<void()> onTick) override;
  void Stop(TimerId id) override;

  void Advance(std::uint64_t ms);
  void RunFor(std::uint64_t ms);

  // Virtual milliseconds since the scheduler was made; during a tick, that
  // tick's due time.
  std::uint64_t Now() const noexcept { return now_; }
  std::size_t ActiveCount() const noexcept { return timers_.size(); }
  bool IsRunning(TimerId id) const noexcept { return timers_.count(id) != 0; }
  // 0 when the timer is not running.
  std::uint32_t IntervalOf(TimerId id) const noexcept;
  // The due time of the next tick of any timer, or 0 when none runs.
  std::uint64_t NextDue() const noexcept;

  // While set, Start refuses new timers as the platform does when it has
  // none left.
  bool refuseNewTimers = false;
  // Ticks delivered so far, by all timers.
  std::uint64_t ticksDelivered = 0;

 private:
  struct Entry {
    std::uint32_t interval;
    std::uint64_t due;
    std::shared_ptr<std::function<void()>> tick;
  };
  // The earliest-due timer with due <= limit that is not in `skip`; 0 if none.
  TimerId NextDueBy(std::uint64_t limit, const std::map<TimerId, bool>& skip) const noexcept;

  std::map<TimerId, Entry> timers_;
  TimerId lastId_ = 0;
  std::uint64_t now_ = 0;
};

}  // namespace dz
