#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "fakes/FixedClock.h"
#include "fakes/FixedLocale.h"
#include "runtime/DateTime.h"
#include "runtime/Platform.h"

namespace dz {

namespace {

std::string Decoded(Timestamp t) {
  std::uint16_t h = 99, m = 99, s = 99, ms = 999;
  DecodeTimeOfDay(t, h, m, s, ms);
  return std::to_string(h) + ":" + std::to_string(m) + ":" + std::to_string(s) + "." +
         std::to_string(ms);
}

}  // namespace

TEST(DecodeTimeOfDay, NegativeDifferencesDecodeByTheirMagnitude) {
  EXPECT_EQ(Decoded(-1.0 / 1440), "0:1:0.0");
  EXPECT_EQ(Decoded(-1.0), "0:0:0.0");
  EXPECT_EQ(Decoded(-(6.0 * 60 + 20) / 1440), "6:20:0.0");
  EXPECT_EQ(Decoded(-(6.0 * 60 + 10) / 1440), "6:10:0.0");
}

TEST(DecodeTimeOfDay, RoundsToTheMillisecondAndWrapsAtMidnight) {
  EXPECT_EQ(Decoded(0.5), "12:0:0.0");
  EXPECT_EQ(Decoded(1.0 - 0.4 / 86400000.0), "0:0:0.0");  // rounds up to the next day
  EXPECT_EQ(Decoded(1.0 - 0.6 / 86400000.0), "23:59:59.999");
  EXPECT_EQ(Decoded(1.0 - 1.0 / 86400000.0), "23:59:59.999");
  EXPECT_EQ(Decoded(45000.25), "6:0:0.0");
  // 06:50 minus 06:49, as the countdown computes it, is exactly one minute.
  EXPECT_EQ(Decoded(EncodeTime(6, 50, 0, 0) - EncodeTime(6, 49, 0, 0)), "0:1:0.0");
}

TEST(DecodeTimeOfDay, NeverFailsOnAbsurdValues) {
  EXPECT_EQ(Decoded(std::numeric_limits<double>::quiet_NaN()), "0:0:0.0");
  EXPECT_EQ(Decoded(std::numeric_limits<double>::infinity()), "0:0:0.0");
  EXPECT_EQ(Decoded(1e300), Decoded(-1e300));
  Decoded(std::numeric_limits<double>::max());
}

TEST(Dates, EncodeAndDecodeAroundTheEpochAndLeapYears) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
  EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
  EXPECT_EQ(EncodeDate(2024, 3, 1) - EncodeDate(2024, 2, 28), 2.0);
  EXPECT_EQ(EncodeDate(1900, 3, 1) - EncodeDate(1900, 2, 28), 1.0);  // 1900 was no leap year
  const DateParts d = DateFromDays(static_cast<std::int64_t>(EncodeDate(2000, 2, 29)));
  EXPECT_EQ(d.year, 2000);
  EXPECT_EQ(d.month, 2);
  EXPECT_EQ(d.day, 29);
  EXPECT_EQ(DayOfWeek(0.0), 6);                        // a Saturday
  EXPECT_EQ(DayOfWeek(EncodeDate(2024, 6, 2)), 0);     // a Sunday
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 24)), 0);   // before the epoch
}

TEST(CurrentDateTime, ReadsTheClockToTheMillisecond) {
  FixedClock clock(2024, 6, 3, 7, 5, 9, 123);
  Platform ports;
  ports.clock = &clock;
  ScopedPlatform scope(ports);
  const Timestamp now = CurrentDateTime();
  EXPECT_EQ(std::floor(now), EncodeDate(2024, 6, 3));
  EXPECT_EQ(std::llround((now - std::floor(now)) * 86400000.0), ((7 * 60 + 5) * 60 + 9) * 1000LL + 123);
}

TEST(FormatTimestamp, ThePatternsOfTheWindow) {
  const Timestamp t = EncodeDate(2024, 6, 3) + EncodeTime(7, 5, 0, 0);
  EXPECT_EQ(FormatTimestamp("hh:nn", t), "07:05");
  EXPECT_EQ(FormatTimestamp("dddd, mmmm d, yyyy", t), "Monday, June 3, 2024");
  EXPECT_EQ(FormatTimestamp("hh:nn", EncodeDate(2024, 6, 3) + EncodeTime(23, 59, 59, 999)), "23:59");
  EXPECT_EQ(FormatTimestamp("hh:nn", 0.0), "00:00");
}

TEST(FormatTimestamp, UsesTheLocaleSeparatorsAndNames) {
  LocaleFormats formats;
  formats.timeSeparator = '.';
  formats.dateSeparator = '-';
  formats.longDayNames[1] = "maanantai";
  formats.longMonthNames[5] = "kesäkuu";
  ScopedLocaleFormats locale(formats);
  const Timestamp t = EncodeDate(2024, 6, 3) + EncodeTime(6, 50, 0, 0);
  EXPECT_EQ(FormatTimestamp("hh:nn", t), "06.50");
  EXPECT_EQ(FormatTimestamp("dddd, mmmm d, yyyy", t), "maanantai, kesäkuu 3, 2024");
  EXPECT_EQ(FormatTimestamp("d/m/yy", t), "3-6-24");
}

TEST(FormatTimestamp, OtherTokensAndLiterals) {
  const Timestamp t = EncodeDate(2009, 1, 4) + EncodeTime(15, 7, 8, 45);
  EXPECT_EQ(FormatTimestamp("ddd dd mmm mm m", t), "Sun 04 Jan 01 1");
  EXPECT_EQ(FormatTimestamp("h:n:s.zzz", t), "15:7:8.045");
  EXPECT_EQ(FormatTimestamp("hh:mm", t), "15:07");  // m after h is the minute
  EXPECT_EQ(FormatTimestamp("h:nn am/pm", t), "3:07 pm");
  EXPECT_EQ(FormatTimestamp("hh ampm", EncodeTime(0, 30, 0, 0)), "12 am");
  EXPECT_EQ(FormatTimestamp("'d' \"hh\" y q", t), "d hh y q");
  EXPECT_EQ(FormatTimestamp("'unclosed", t), "unclosed");
  EXPECT_EQ(FormatTimestamp("", t), "");
}

TEST(FormatTimestamp, ValuesBelowTheEpochKeepTheirTimeOfDay) {
  // The whole part is the day and the fraction's magnitude the time.
  EXPECT_EQ(FormatTimestamp("yyyy-mm-dd hh:nn", -1.25), "1899-12-29 06:00");
  EXPECT_EQ(FormatTimestamp("hh:nn", -0.25), "06:00");
  EXPECT_NO_THROW(FormatTimestamp("dddd mmmm yyyy hh:nn", std::numeric_limits<double>::quiet_NaN()));
  EXPECT_NO_THROW(FormatTimestamp("dddd mmmm yyyy hh:nn", -1e300));
}

}  // namespace dz
