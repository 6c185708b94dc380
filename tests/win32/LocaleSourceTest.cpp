#include <gtest/gtest.h>

#include <cmath>

#include "fakes/FixedLocale.h"
#include "platform/win32/Win32LocaleSource.h"
#include "runtime/Conversions.h"
#include "runtime/DateTime.h"

namespace dz::win32 {

// The test environment runs with the default locale, en-US.
TEST(Win32LocaleSource, ReadsTheThreadLocaleWithDayNamesTurnedToSundayFirst) {
  ScopedLocaleFormats keep{LocaleFormats{}};
  LoadStartupLocaleFormats();
  const LocaleFormats& f = FormatSettings();
  EXPECT_EQ(f.timeSeparator, ':');
  EXPECT_EQ(f.decimalSeparator, '.');
  EXPECT_EQ(f.dateSeparator, '/');
  EXPECT_EQ(f.amString, "AM");
  EXPECT_EQ(f.pmString, "PM");
  EXPECT_EQ(f.longMonthNames[0], "January");
  EXPECT_EQ(f.shortMonthNames[8], "Sep");
  EXPECT_EQ(f.longDayNames[0], "Sunday");
  EXPECT_EQ(f.longDayNames[1], "Monday");
  EXPECT_EQ(f.shortDayNames[6], "Sat");
  EXPECT_EQ(FormatTimestamp("dddd, mmmm d, yyyy", EncodeDate(2024, 6, 3)), "Monday, June 3, 2024");
  EXPECT_EQ(std::llround(ParseTime("12:05 pm") * 1440), 12 * 60 + 5);
}

TEST(Win32LocaleSource, ReloadReadsTheUserSettings) {
  ScopedLocaleFormats keep{LocaleFormats{}};
  FormatSettings().timeSeparator = '#';
  ReloadLocaleFormats();
  EXPECT_EQ(FormatSettings().timeSeparator, ':');
  EXPECT_EQ(FormatSettings().longMonthNames[11], "December");
}

TEST(Win32LocaleSource, ComparesTextsIgnoringTheCaseOfEveryLetterOfTheCodePage) {
  const CaseBlindEquality same = Win32LocaleSource(LOCALE_USER_DEFAULT).TextComparison();
  EXPECT_TRUE(same("\xD6S", "\xF6s"));  // "ÖS", "ös" in the Western code page
  EXPECT_TRUE(same("p.m.", "P.M."));
  EXPECT_FALSE(same("\xD6S", "\xD6T"));
  EXPECT_FALSE(same("AM", "AMX"));
}

TEST(Win32LocaleSource, IndexesOutsideTheListsAreMissing) {
  Win32LocaleSource source(LOCALE_USER_DEFAULT);
  EXPECT_FALSE(source.Get(LocaleItem::LongDayName, 0).has_value());
  EXPECT_FALSE(source.Get(LocaleItem::LongMonthName, 13).has_value());
  EXPECT_EQ(source.Get(LocaleItem::LongDayName, 7).value_or(""), "Sunday");
}

}  // namespace dz::win32
