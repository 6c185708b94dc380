#include "runtime/DateTime.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "runtime/Clock.h"
#include "runtime/FormatText.h"
#include "runtime/LocaleFormats.h"
#include "runtime/Platform.h"

namespace dz {

namespace {

// Civil date <-> day count on the proleptic Gregorian calendar, counted from
// 1 March of year 0 so that leap days fall at the end of each cycle year.
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2 ? 1 : 0;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;  // days since 1970-01-01
}

const std::int64_t kEpochOffset = DaysFromCivil(1899, 12, 30);

// A timestamp split into whole days and milliseconds of the day. The whole
// part is the day and the fraction's magnitude the time, so rounding that
// reaches midnight moves on to the next day instead of giving 24:00.
struct SplitTimestamp {
  std::int64_t days = 0;
  std::int64_t msOfDay = 0;
};

// Magnitude of t in whole milliseconds, never beyond 64 bits: NaN counts as
// 0; for the time of day alone a huge value is first reduced modulo one day
// (exact at that size), for a date it is clamped.
std::int64_t RoundedMagnitudeMs(Timestamp t, bool timeOfDayOnly) {
  double ms = std::fabs(t) * static_cast<double>(kMsPerDay);
  if (std::isnan(ms)) return 0;
  constexpr double kLimit = 4.0e18;
  if (!(ms < kLimit)) {
    if (!timeOfDayOnly) return std::llround(kLimit);
    if (std::isinf(ms)) return 0;
    ms = std::fmod(ms, static_cast<double>(kMsPerDay));
  }
  return std::llround(ms);
}

SplitTimestamp Split(Timestamp t) {
  const std::int64_t total = RoundedMagnitudeMs(t, false);
  SplitTimestamp s;
  s.days = total / kMsPerDay;
  s.msOfDay = total % kMsPerDay;
  if (t < 0) s.days = -s.days;
  return s;
}

}  // namespace

std::int64_t DaysSinceEpoch(std::int64_t year, int month, int day) {
  return DaysFromCivil(year, month, day) - kEpochOffset;
}

DateParts DateFromDays(std::int64_t days) {
  const std::int64_t z = days + kEpochOffset + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  DateParts date;
  date.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  date.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  date.year = yoe + era * 400 + (date.month <= 2 ? 1 : 0);
  return date;
}

std::int64_t MsSinceEpoch(const LocalTime& t) {
  const std::int64_t days = DaysSinceEpoch(t.year, t.month, t.day);
  return days * kMsPerDay +
         ((std::int64_t{t.hour} * 60 + t.minute) * 60 + t.second) * 1000 + t.millisecond;
}

LocalTime LocalTimeFromMs(std::int64_t ms) {
  std::int64_t days = ms / kMsPerDay;
  std::int64_t ofDay = ms % kMsPerDay;
  if (ofDay < 0) {
    ofDay += kMsPerDay;
    --days;
  }
  const DateParts date = DateFromDays(days);
  LocalTime t;
  t.year = static_cast<std::uint16_t>(date.year);
  t.month = static_cast<std::uint16_t>(date.month);
  t.day = static_cast<std::uint16_t>(date.day);
  t.dayOfWeek = static_cast<std::uint16_t>(DayOfWeek(static_cast<Timestamp>(days)));
  t.hour = static_cast<std::uint16_t>(ofDay / 3600000);
  t.minute = static_cast<std::uint16_t>(ofDay / 60000 % 60);
  t.second = static_cast<std::uint16_t>(ofDay / 1000 % 60);
  t.millisecond = static_cast<std::uint16_t>(ofDay % 1000);
  return t;
}

Timestamp EncodeDate(int year, int month, int day) {
  return static_cast<Timestamp>(DaysSinceEpoch(year, month, day));
}

Timestamp EncodeTime(int hour, int minute, int second, int millisecond) {
  const std::int64_t ms = std::int64_t{hour} * 3600000 + std::int64_t{minute} * 60000 +
                          std::int64_t{second} * 1000 + millisecond;
  return static_cast<double>(ms) / static_cast<double>(kMsPerDay);
}

int DayOfWeek(Timestamp t) {
  // 30 December 1899 was a Saturday.
  const std::int64_t w = (Split(t).days + 6) % 7;
  return static_cast<int>(w < 0 ? w + 7 : w);
}

Timestamp CurrentDateTime() {
  const LocalTime now = Require(CurrentPlatform().clock, "clock").Now();
  return EncodeDate(now.year, now.month, now.day) +
         EncodeTime(now.hour, now.minute, now.second, now.millisecond);
}

void DecodeTimeOfDay(Timestamp t, std::uint16_t& hour, std::uint16_t& minute,
                     std::uint16_t& second, std::uint16_t& millisecond) {
  const std::int64_t ms = RoundedMagnitudeMs(t, true) % kMsPerDay;
  hour = static_cast<std::uint16_t>(ms / 3600000);
  minute = static_cast<std::uint16_t>(ms / 60000 % 60);
  second = static_cast<std::uint16_t>(ms % 60000 / 1000);
  millisecond = static_cast<std::uint16_t>(ms % 1000);
}

namespace {

class TimestampFormatter {
 public:
  TimestampFormatter(const std::string& pattern, Timestamp t)
      : pattern_(pattern), formats_(FormatSettings()) {
    const SplitTimestamp s = Split(t);
    date_ = DateFromDays(s.days);
    dayOfWeek_ = DayOfWeek(t);
    hour_ = static_cast<int>(s.msOfDay / 3600000);
    minute_ = static_cast<int>(s.msOfDay / 60000 % 60);
    second_ = static_cast<int>(s.msOfDay % 60000 / 1000);
    ms_ = static_cast<int>(s.msOfDay % 1000);
    twelveHour_ = HasAmPmToken();
  }

  std::string Run() {
    while (pos_ < pattern_.size()) Step();
    return out_;
  }

 private:
  // Length of the run of `c` (any case) at the position.
  std::size_t RunLength(char c) const {
    std::size_t n = 0;
    while (pos_ + n < pattern_.size() && Lower(pattern_[pos_ + n]) == c) ++n;
    return n;
  }

  static char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

  bool At(const char* token) const {
    std::size_t i = 0;
    for (; token[i]; ++i) {
      if (pos_ + i >= pattern_.size() || Lower(pattern_[pos_ + i]) != token[i]) return false;
    }
    return true;
  }

  bool HasAmPmToken() {
    bool found = false;
    for (pos_ = 0; pos_ < pattern_.size() && !found;) {
      const char c = pattern_[pos_];
      if (c == '"' || c == '\'') {
        const std::size_t end = pattern_.find(c, pos_ + 1);
        pos_ = end == std::string::npos ? pattern_.size() : end + 1;
      } else {
        found = At("am/pm") || At("a/p") || At("ampm");
        ++pos_;
      }
    }
    pos_ = 0;
    return found;
  }

  void Number(int value, int digits) { out_ += FormatText(digits == 2 ? "%.2d" : "%d", {value}); }

  void Emit(std::size_t consumed, const std::string& text) {
    out_ += text;
    pos_ += consumed;
  }

  void Step() {
    const char c = pattern_[pos_];
    const char lower = Lower(c);
    const bool afterHour = afterHour_;
    afterHour_ = false;
    switch (lower) {
      case '"':
      case '\'': {
        const std::size_t end = pattern_.find(c, pos_ + 1);
        const std::size_t stop = end == std::string::npos ? pattern_.size() : end;
        out_.append(pattern_, pos_ + 1, stop - pos_ - 1);
        pos_ = end == std::string::npos ? stop : end + 1;
        return;
      }
      case 'd': {
        const std::size_t n = RunLength('d');
        if (n >= 4) return Emit(4, formats_.longDayNames[static_cast<std::size_t>(dayOfWeek_)]);
        if (n == 3) return Emit(3, formats_.shortDayNames[static_cast<std::size_t>(dayOfWeek_)]);
        Number(date_.day, static_cast<int>(n));
        pos_ += n;
        return;
      }
      case 'm': {
        const std::size_t n = RunLength('m');
        if (afterHour && n <= 2) {  // "h:m" means minutes
          Number(minute_, static_cast<int>(n));
          pos_ += n;
          return;
        }
        const auto month = static_cast<std::size_t>(date_.month - 1);
        if (n >= 4) return Emit(4, formats_.longMonthNames[month]);
        if (n == 3) return Emit(3, formats_.shortMonthNames[month]);
        Number(date_.month, static_cast<int>(n));
        pos_ += n;
        return;
      }
      case 'y': {
        const std::size_t n = RunLength('y');
        if (n >= 4) {
          out_ += FormatText("%.4d", {static_cast<std::int32_t>(date_.year)});
          pos_ += 4;
        } else if (n >= 2) {
          Number(static_cast<int>((date_.year % 100 + 100) % 100), 2);
          pos_ += 2;
        } else {
          Emit(1, std::string(1, c));
        }
        return;
      }
      case 'h': {
        const std::size_t n = std::min<std::size_t>(RunLength('h'), 2);
        int hour = hour_;
        if (twelveHour_) hour = hour % 12 == 0 ? 12 : hour % 12;
        Number(hour, static_cast<int>(n));
        pos_ += n;
        afterHour_ = true;
        return;
      }
      case 'n':
      case 's': {
        const std::size_t n = std::min<std::size_t>(RunLength(lower), 2);
        Number(lower == 'n' ? minute_ : second_, static_cast<int>(n));
        pos_ += n;
        return;
      }
      case 'z': {
        const std::size_t n = RunLength('z') >= 3 ? 3 : 1;
        out_ += FormatText(n == 3 ? "%.3d" : "%d", {ms_});
        pos_ += n;
        return;
      }
      case 'a':
        if (At("am/pm")) return Emit(5, hour_ < 12 ? "am" : "pm");
        if (At("a/p")) return Emit(3, hour_ < 12 ? "a" : "p");
        if (At("ampm")) return Emit(4, hour_ < 12 ? formats_.amString : formats_.pmString);
        return Emit(1, std::string(1, c));
      case '/':
        return Emit(1, std::string(1, formats_.dateSeparator));
      case ':':
        afterHour_ = afterHour;  // "h:mm" keeps its minutes
        return Emit(1, std::string(1, formats_.timeSeparator));
      default:
        if (c == ' ') afterHour_ = afterHour;
        return Emit(1, std::string(1, c));
    }
  }

  const std::string& pattern_;
  const LocaleFormats& formats_;
  std::string out_;
  std::size_t pos_ = 0;
  DateParts date_;
  int dayOfWeek_ = 0, hour_ = 0, minute_ = 0, second_ = 0, ms_ = 0;
  bool twelveHour_ = false;
  bool afterHour_ = false;
};

}  // namespace

std::string FormatTimestamp(const std::string& pattern, Timestamp t) {
  return TimestampFormatter(pattern, t).Run();
}

}  // namespace dz
