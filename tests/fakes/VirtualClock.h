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
    const std::int64_t days = ms / kMsPerDay, time = ms % kMsPerDay;
    const DateParts date = DateFromDays(days);
    LocalTime now;
    now.year = static_cast<std::uint16_t>(date.year);
    now.month = static_cast<std::uint16_t>(date.month);
    now.day = static_cast<std::uint16_t>(date.day);
    now.dayOfWeek = static_cast<std::uint16_t>(DayOfWeek(static_cast<double>(days)));
    now.hour = static_cast<std::uint16_t>(time / 3600000);
    now.minute = static_cast<std::uint16_t>(time / 60000 % 60);
    now.second = static_cast<std::uint16_t>(time / 1000 % 60);
    now.millisecond = static_cast<std::uint16_t>(time % 1000);
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
