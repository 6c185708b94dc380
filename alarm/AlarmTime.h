#pragma once
// The alarm time as the hour and minute boxes hold it. The alarm check and
// the wake timer read the two texts through these functions, so that the
// system is woken for exactly the minute the check rings at.
#include <cstdint>
#include <optional>
#include <string>

#include "runtime/DateTime.h"

namespace dz {

// An hour or minute text as the alarm check takes it: a text longer than
// two characters counts as "00", a shorter one is padded with "0" in front
// ("7" is "07", "" is "0").
std::string AlarmFieldText(const std::string& text);

struct AlarmTime {
  std::int32_t hour = 0;
  std::int32_t minute = 0;
};

// The hour and minute of the texts, each taken as above and converted as an
// integer; a text that does not convert raises the conversion error, the
// hour's first. The values are not range-checked: an hour of 24 converts
// and matches no clock.
AlarmTime ReadAlarmTime(const std::string& hourText, const std::string& minuteText);

// The alarm's minute of the day (0 to 1439), or nothing when the texts do
// not make a time of day (the check could never match them).
std::optional<std::int64_t> AlarmMinuteOfDay(const std::string& hourText,
                                             const std::string& minuteText);

// A clock reading in local milliseconds since the epoch, rounded to the
// millisecond: the measure of the pauses between the alarm's own events.
std::int64_t TimestampMs(Timestamp t);

// The latest start of the alarm minute at or before `ms` (local time in
// milliseconds since the epoch).
std::int64_t LastAlarmStart(std::int64_t ms, std::int64_t minuteOfDay);

}  // namespace dz
