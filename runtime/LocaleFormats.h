#pragma once
// The process-wide locale formats: separators, AM/PM strings and the month
// and day names used to parse and format times and dates. Read from the
// regional settings at start and again whenever the system announces a
// change of its settings.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace dz {

// Whether two texts are equal when letter case is ignored.
using CaseBlindEquality = bool (*)(std::string_view a, std::string_view b);

// ASCII letters only: the rule until the regional settings are read.
bool SameAsciiTextIgnoringCase(std::string_view a, std::string_view b);

struct LocaleFormats {
  char timeSeparator = ':';
  char decimalSeparator = '.';
  char dateSeparator = '/';
  std::string amString = "am";
  std::string pmString = "pm";
  std::array<std::string, 12> longMonthNames{"January", "February", "March",     "April",
                                             "May",     "June",     "July",      "August",
                                             "September", "October", "November", "December"};
  std::array<std::string, 12> shortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  // Sunday first.
  std::array<std::string, 7> longDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                          "Thursday", "Friday", "Saturday"};
  std::array<std::string, 7> shortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  // How the AM and PM strings are matched: every letter of the system's
  // ANSI code page, as the regional settings give them.
  CaseBlindEquality sameTextIgnoringCase = &SameAsciiTextIgnoringCase;
};

// The record in force for the whole process.
LocaleFormats& FormatSettings();

enum class LocaleItem {
  TimeSeparator,
  DecimalSeparator,
  DateSeparator,
  AmString,
  PmString,
  LongMonthName,   // index 1..12, January first
  ShortMonthName,  // index 1..12
  LongDayName,     // index 1..7 in the settings' order: Monday first
  ShortDayName,    // index 1..7, Monday first
};

// Locale source port: the regional settings, item by item. A missing
// setting answers nullopt.
class LocaleSource {
 public:
  virtual ~LocaleSource() = default;
  virtual std::optional<std::string> Get(LocaleItem item, int index) = 0;
  // The case-blind comparison of texts in the system's ANSI code page.
  virtual CaseBlindEquality TextComparison() = 0;
};

// Builds a record from the source, with the defaults for missing settings
// and the day names turned to Sunday first.
LocaleFormats ReadLocaleFormats(LocaleSource& source);

// Replaces the process-wide record with one read from the source.
void LoadLocaleFormats(LocaleSource& source);

}  // namespace dz
