#pragma once
// Timestamps: days since 30 December 1899 as a double; the fraction is the
// time of day (0.5 is noon, one minute is 1/1440). Differences of two
// timestamps are timestamps too and may be negative.
#include <cstdint>
#include <string>

#include "runtime/Clock.h"

namespace dz {

using Timestamp = double;

inline constexpr std::int64_t kMsPerDay = 86400000;

struct DateParts {
  std::int64_t year = 1899;  // may lie outside 1..9999 for absurd timestamps
  int month = 12, day = 30;
};

// Days since 30 December 1899 of a date of the proleptic Gregorian calendar.
std::int64_t DaysSinceEpoch(std::int64_t year, int month, int day);
DateParts DateFromDays(std::int64_t days);

// A local date and time as milliseconds since the epoch, and back (a
// negative count lies before it).
std::int64_t MsSinceEpoch(const LocalTime& t);
LocalTime LocalTimeFromMs(std::int64_t ms);

Timestamp EncodeDate(int year, int month, int day);
Timestamp EncodeTime(int hour, int minute, int second, int millisecond);

// 0 = Sunday ... 6 = Saturday, of the date of the timestamp.
int DayOfWeek(Timestamp t);

// The local date and time from the clock port, to the millisecond.
Timestamp CurrentDateTime();

// Splits a timestamp's time of day: rounded to the whole millisecond, a
// negative value taken by its magnitude, reduced modulo one day.
void DecodeTimeOfDay(Timestamp t, std::uint16_t& hour, std::uint16_t& minute,
                     std::uint16_t& second, std::uint16_t& millisecond);

// Copies the pattern, replacing the date and time tokens (d dd ddd dddd,
// m mm mmm mmmm, yy yyyy, h hh, n nn, s ss, z zzz, am/pm a/p ampm, "/" the
// date separator, ":" the time separator, '...' and "..." literals) with the
// parts of the timestamp in the current locale formats. Anything else is
// copied as it stands; it never fails.
std::string FormatTimestamp(const std::string& pattern, Timestamp t);

}  // namespace dz
