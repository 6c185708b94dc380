#pragma once
// A clock that reads whatever the test set.
#include "runtime/Clock.h"
#include "runtime/DateTime.h"

namespace dz {

class FixedClock final : public Clock {
 public:
  FixedClock() = default;
  FixedClock(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
             int millisecond = 0) {
    Set(year, month, day, hour, minute, second, millisecond);
  }

  void Set(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
           int millisecond = 0) {
    now.year = static_cast<std::uint16_t>(year);
    now.month = static_cast<std::uint16_t>(month);
    now.day = static_cast<std::uint16_t>(day);
    now.dayOfWeek = static_cast<std::uint16_t>(DayOfWeek(EncodeDate(year, month, day)));
    now.hour = static_cast<std::uint16_t>(hour);
    now.minute = static_cast<std::uint16_t>(minute);
    now.second = static_cast<std::uint16_t>(second);
    now.millisecond = static_cast<std::uint16_t>(millisecond);
  }

  LocalTime Now() override { return now; }

  LocalTime now;
};

}  // namespace dz
