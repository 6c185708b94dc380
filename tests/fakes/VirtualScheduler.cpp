#include "fakes/VirtualScheduler.h"

#include <algorithm>

namespace dz {

TimerId VirtualScheduler::Start(std::uint32_t intervalMs, std::function<void()> onTick) {
  if (refuseNewTimers) return 0;
  TimerId id = ++lastId_;
  std::uint32_t interval = std::max<std::uint32_t>(intervalMs, 1);
  timers_[id] = Entry{interval, now_ + interval,
                      std::make_shared<std::function<void()>>(std::move(onTick))};
  return id;
}

void VirtualScheduler::Stop(TimerId id) { timers_.erase(id); }

std::uint32_t VirtualScheduler::IntervalOf(TimerId id) const noexcept {
  auto found = timers_.find(id);
  return found == timers_.end() ? 0 : found->second.interval;
}

std::uint64_t VirtualScheduler::NextDue() const noexcept {
  std::uint64_t next = 0;
  for (const auto& [id, entry] : timers_) {
    if (next == 0 || entry.due < next) next = entry.due;
  }
  return next;
}

TimerId VirtualScheduler::NextDueBy(std::uint64_t limit,
                                    const std::map<TimerId, bool>& skip) const noexcept {
  TimerId best = 0;
  std::uint64_t bestDue = 0;
  for (const auto& [id, entry] : timers_) {
    if (entry.due > limit || skip.count(id)) continue;
    // Ties go to the timer started first (the lower id; the map is ordered).
    if (best == 0 || entry.due < bestDue) {
      best = id;
      bestDue = entry.due;
    }
  }
  return best;
}

void VirtualScheduler::Advance(std::uint64_t ms) {
  const std::uint64_t target = now_ + ms;
  std::map<TimerId, bool> ticked;
  while (TimerId id = NextDueBy(target, ticked)) {
    ticked[id] = true;
    Entry& entry = timers_[id];
    now_ = std::max(now_, entry.due);
    // The missed periods are dropped; the next due time keeps the phase. It
    // is set before the tick so that time passing inside the tick (a nested
    // Advance) sees it.
    std::uint64_t next = entry.due + entry.interval;
    if (next <= target) next += (target - next) / entry.interval * entry.interval + entry.interval;
    entry.due = next;
    std::shared_ptr<std::function<void()>> tick = entry.tick;  // survives a Stop in the tick
    ++ticksDelivered;
    (*tick)();
  }
  now_ = std::max(now_, target);
}

void VirtualScheduler::RunFor(std::uint64_t ms) {
  const std::uint64_t target = now_ + ms;
  while (now_ < target) {
    std::uint64_t next = NextDue();
    if (next == 0 || next > target) next = target;
    Advance(next - now_);
  }
}

}  // namespace dz
