// The clock and countdown: the date, the large clock and the time left until
// the alarm, refreshed every second. A label is set only to its new text, so
// a tick within the same minute repaints nothing.
#include <cstdint>
#include <string>

#include "alarm/AlarmTime.h"
#include "alarm/Unit1.h"
#include "runtime/Checked.h"
#include "runtime/Conversions.h"
#include "runtime/DateTime.h"
#include "runtime/Exceptions.h"
#include "runtime/FormatText.h"
#include "runtime/LocaleFormats.h"

namespace dz {

namespace {
constexpr const char* kDateFormat = "dddd, mmmm d, yyyy";
constexpr const char* kClockFormat = "hh:nn";
}  // namespace

void TForm1::FormCreate(TObject*) {
  Label11->SetCaption(FormatTimestamp(kDateFormat, CurrentDateTime()));
  Label2->SetCaption(FormatTimestamp(kClockFormat, CurrentDateTime()));
  SetKeyPreview(true);
  SnoozeOnKey = false;
}

void TForm1::Timer3Timer() {
  Label11->SetCaption(FormatTimestamp(kDateFormat, CurrentDateTime()));
  Label2->SetCaption(FormatTimestamp(kClockFormat, CurrentDateTime()));
  const std::string alarmTime =
      ComboBoxH->Text() + FormatSettings().timeSeparator + ComboBoxM->Text();
  // The countdown runs from the minute the clock shows.
  const Timestamp start = ParseTime(Label2->Caption());
  Timestamp end = 0;
  try {
    end = ParseTime(alarmTime);
  } catch (const EConvertError&) {
    // A half-typed time is no error yet: a report would take the focus
    // and swallow the next digits.
    if (TypingAlarmTime(TimestampMs(CurrentDateTime()))) return;
    throw;
  }
  Label8->SetCaption(FormatElapsedTime(start, end, false));
}

void TForm1::GetElapsedTime(Timestamp start, Timestamp end, std::uint16_t& hours,
                            std::uint16_t& minutes, std::uint16_t& seconds,
                            std::uint16_t& milliseconds) {
  const Timestamp difference = end - start;
  DecodeTimeOfDay(difference, hours, minutes, seconds, milliseconds);
  if (difference >= 0) return;
  // The end time is earlier in the day: it comes tomorrow.
  hours = CheckedSubU16(23, hours);
  minutes = CheckedSubU16(60, minutes);
  if (minutes == 60) {
    minutes = 0;
    hours = CheckedAddU16(hours, 1);
  }
}

std::string TForm1::FormatElapsedTime(Timestamp start, Timestamp end, bool withSeconds) {
  std::uint16_t hours = 0, minutes = 0, seconds = 0, milliseconds = 0;
  GetElapsedTime(start, end, hours, minutes, seconds, milliseconds);
  if (!withSeconds) return FormatText("%.2d:%.2d", {hours, minutes});
  return FormatText("%.2d:%.2d:%.2d:%.2d", {hours, minutes, seconds, milliseconds});
}

}  // namespace dz
