#include "runtime/LocaleFormats.h"

namespace dz {

bool SameAsciiTextIgnoringCase(std::string_view a, std::string_view b) {
  const auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

LocaleFormats& FormatSettings() {
  static LocaleFormats formats;
  return formats;
}

namespace {

// A separator is one character; an empty setting would give no separator at
// all, so it counts as missing.
void ReadSeparator(LocaleSource& source, LocaleItem item, char& field) {
  std::optional<std::string> value = source.Get(item, 0);
  if (value && !value->empty()) field = (*value)[0];
}

void ReadText(LocaleSource& source, LocaleItem item, int index, std::string& field) {
  std::optional<std::string> value = source.Get(item, index);
  if (value) field = std::move(*value);
}

}  // namespace

LocaleFormats ReadLocaleFormats(LocaleSource& source) {
  LocaleFormats formats;
  ReadSeparator(source, LocaleItem::TimeSeparator, formats.timeSeparator);
  ReadSeparator(source, LocaleItem::DecimalSeparator, formats.decimalSeparator);
  ReadSeparator(source, LocaleItem::DateSeparator, formats.dateSeparator);
  // An empty designator is a real setting (24-hour locales): it is kept and
  // simply never matches when parsing.
  ReadText(source, LocaleItem::AmString, 0, formats.amString);
  ReadText(source, LocaleItem::PmString, 0, formats.pmString);
  if (CaseBlindEquality same = source.TextComparison()) formats.sameTextIgnoringCase = same;
  for (int month = 1; month <= 12; ++month) {
    ReadText(source, LocaleItem::LongMonthName, month, formats.longMonthNames[month - 1]);
    ReadText(source, LocaleItem::ShortMonthName, month, formats.shortMonthNames[month - 1]);
  }
  // The settings list Monday first; our Sunday is their seventh day.
  for (int day = 1; day <= 7; ++day) {
    const int sundayFirst = day % 7;
    ReadText(source, LocaleItem::LongDayName, day, formats.longDayNames[sundayFirst]);
    ReadText(source, LocaleItem::ShortDayName, day, formats.shortDayNames[sundayFirst]);
  }
  return formats;
}

void LoadLocaleFormats(LocaleSource& source) { FormatSettings() = ReadLocaleFormats(source); }

}  // namespace dz
