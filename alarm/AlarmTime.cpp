#include "alarm/AlarmTime.h"

#include <cmath>

#include "runtime/Conversions.h"
#include "runtime/DateTime.h"
#include "runtime/Exceptions.h"

namespace dz {

namespace {
constexpr std::int64_t kMsPerMinute = 60000;
}  // namespace

std::string AlarmFieldText(const std::string& text) {
  if (text.size() > 2) return "00";
  if (text.size() < 2) return "0" + text;
  return text;
}

AlarmTime ReadAlarmTime(const std::string& hourText, const std::string& minuteText) {
  AlarmTime time;
  time.hour = ParseInteger(AlarmFieldText(hourText));
  time.minute = ParseInteger(AlarmFieldText(minuteText));
  return time;
}

std::optional<std::int64_t> AlarmMinuteOfDay(const std::string& hourText,
                                             const std::string& minuteText) {
  AlarmTime time;
  try {
    time = ReadAlarmTime(hourText, minuteText);
  } catch (const Exception&) {
    return std::nullopt;
  }
  if (time.hour < 0 || time.hour > 23 || time.minute < 0 || time.minute > 59) return std::nullopt;
  return std::int64_t{time.hour} * 60 + time.minute;
}

std::int64_t TimestampMs(Timestamp t) { return std::llround(t * static_cast<double>(kMsPerDay)); }

std::int64_t LastAlarmStart(std::int64_t ms, std::int64_t minuteOfDay) {
  std::int64_t days = ms / kMsPerDay;
  if (ms % kMsPerDay < 0) --days;
  std::int64_t start = days * kMsPerDay + minuteOfDay * kMsPerMinute;
  if (start > ms) start -= kMsPerDay;
  return start;
}

}  // namespace dz
