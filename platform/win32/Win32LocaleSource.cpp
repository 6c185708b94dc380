#include "platform/win32/Win32LocaleSource.h"

#include <vector>

namespace dz::win32 {

namespace {

LCTYPE ItemType(LocaleItem item, int index) {
  switch (item) {
    case LocaleItem::TimeSeparator: return LOCALE_STIME;
    case LocaleItem::DecimalSeparator: return LOCALE_SDECIMAL;
    case LocaleItem::DateSeparator: return LOCALE_SDATE;
    case LocaleItem::AmString: return LOCALE_S1159;
    case LocaleItem::PmString: return LOCALE_S2359;
    // The numbered constants are consecutive in each group.
    case LocaleItem::LongMonthName: return LOCALE_SMONTHNAME1 + static_cast<LCTYPE>(index - 1);
    case LocaleItem::ShortMonthName:
      return LOCALE_SABBREVMONTHNAME1 + static_cast<LCTYPE>(index - 1);
    case LocaleItem::LongDayName: return LOCALE_SDAYNAME1 + static_cast<LCTYPE>(index - 1);
    case LocaleItem::ShortDayName: return LOCALE_SABBREVDAYNAME1 + static_cast<LCTYPE>(index - 1);
  }
  return 0;
}

bool IndexFits(LocaleItem item, int index) {
  switch (item) {
    case LocaleItem::LongMonthName:
    case LocaleItem::ShortMonthName: return index >= 1 && index <= 12;
    case LocaleItem::LongDayName:
    case LocaleItem::ShortDayName: return index >= 1 && index <= 7;
    default: return true;
  }
}

// Both texts in capitals as the system's ANSI code page writes them.
bool SameTextInAnsiCodePage(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  std::string upperA(a), upperB(b);
  CharUpperBuffA(upperA.data(), static_cast<DWORD>(upperA.size()));
  CharUpperBuffA(upperB.data(), static_cast<DWORD>(upperB.size()));
  return upperA == upperB;
}

}  // namespace

CaseBlindEquality Win32LocaleSource::TextComparison() { return &SameTextInAnsiCodePage; }

std::optional<std::string> Win32LocaleSource::Get(LocaleItem item, int index) {
  if (!IndexFits(item, index)) return std::nullopt;
  const LCTYPE type = ItemType(item, index);
  const int size = GetLocaleInfoA(locale_, type, nullptr, 0);
  if (size <= 0) return std::nullopt;
  std::vector<char> buffer(static_cast<std::size_t>(size));
  const int got = GetLocaleInfoA(locale_, type, buffer.data(), size);
  if (got <= 0) return std::nullopt;
  return std::string(buffer.data(), static_cast<std::size_t>(got - 1));  // without the NUL
}

void LoadStartupLocaleFormats() {
  Win32LocaleSource source(GetThreadLocale());
  LoadLocaleFormats(source);
}

void ReloadLocaleFormats() {
  Win32LocaleSource source(LOCALE_USER_DEFAULT);
  LoadLocaleFormats(source);
}

}  // namespace dz::win32
