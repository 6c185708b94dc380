#pragma once
// A clock on the virtual scheduler's time: a start date and time plus the
// scheduler's Now(), so handlers read the same time their timers run on.
#include <cstdint>

#include "fakes/VirtualScheduler.h"
#include "runtime/Clock.h"
#include "runtime/DateTime.h"

namespace dz {

class VirtualClock final : public Clock {
 public:
  VirtualClock(const VirtualScheduler& scheduler, int year, int month, int day, int hour = 0,
               int minute = 0, int second = 0, int millisecond = 0)
      : scheduler_(scheduler),
        startMs_(DaysSinceEpoch(year, month, day) * kMsPerDay +
                 ((hour * 60 + minute) * 60 + second) * std::int64_t{1000} + millisecond) {}

  LocalTime Now() override {
    const std::int64_t ms = startMs_ + static_cast<std::int64_t>(scheduler_.Now()) + offsetMs;
    const LocalTime now = LocalTimeFromMs(ms);
    offsetMs += stepPerRead;
    return now;
  }

  // Added to every reading; each reading adds stepPerRead to it, as if
  // reading the clock took that long.
  std::int64_t offsetMs = 0;
  std::int64_t stepPerRead = 0;

 private:
  const VirtualScheduler& scheduler_;
  std::int64_t startMs_;
};

}  // namespace dz
