#pragma once
// Clock port: the local date and time with millisecond resolution.
#include <cstdint>

namespace dz {

struct LocalTime {
  std::uint16_t year = 1899, month = 12, day = 30;
  std::uint16_t dayOfWeek = 6;  // 0 = Sunday
  std::uint16_t hour = 0, minute = 0, second = 0, millisecond = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() = 0;
};

}  // namespace dz
