#include <gtest/gtest.h>

#include "fakes/FixedLocale.h"
#include "runtime/LocaleFormats.h"

namespace dz {

TEST(LocaleFormats, MissingSettingsTakeTheDefaults) {
  FixedLocale none;
  const LocaleFormats f = ReadLocaleFormats(none);
  EXPECT_EQ(f.timeSeparator, ':');
  EXPECT_EQ(f.decimalSeparator, '.');
  EXPECT_EQ(f.dateSeparator, '/');
  EXPECT_EQ(f.amString, "am");
  EXPECT_EQ(f.pmString, "pm");
  EXPECT_EQ(f.longMonthNames[0], "January");
  EXPECT_EQ(f.shortMonthNames[11], "Dec");
  EXPECT_EQ(f.longDayNames[0], "Sunday");
  EXPECT_EQ(f.shortDayNames[6], "Sat");
  EXPECT_GT(none.requests, 0);
}

TEST(LocaleFormats, DayNamesComeMondayFirstAndAreStoredSundayFirst) {
  FixedLocale source;
  const char* names[] = {"ma", "ti", "ke", "to", "pe", "la", "su"};
  for (int i = 1; i <= 7; ++i) {
    source.With(LocaleItem::LongDayName, std::string(names[i - 1]) + "long", i);
    source.With(LocaleItem::ShortDayName, names[i - 1], i);
  }
  const LocaleFormats f = ReadLocaleFormats(source);
  EXPECT_EQ(f.longDayNames[0], "sulong");
  EXPECT_EQ(f.longDayNames[1], "malong");
  EXPECT_EQ(f.shortDayNames[6], "la");
}

TEST(LocaleFormats, SeparatorsTakeTheFirstCharacterAndEmptyOnesAreMissing) {
  FixedLocale source;
  source.With(LocaleItem::TimeSeparator, ".x")
      .With(LocaleItem::DecimalSeparator, "")
      .With(LocaleItem::AmString, "")
      .With(LocaleItem::PmString, "ip.")
      .With(LocaleItem::LongMonthName, "tammikuu", 1);
  const LocaleFormats f = ReadLocaleFormats(source);
  EXPECT_EQ(f.timeSeparator, '.');
  EXPECT_EQ(f.decimalSeparator, '.');  // no separator at all would break every parse
  EXPECT_EQ(f.amString, "");           // a 24-hour locale's empty designator is kept
  EXPECT_EQ(f.pmString, "ip.");
  EXPECT_EQ(f.longMonthNames[0], "tammikuu");
  EXPECT_EQ(f.longMonthNames[1], "February");
}

TEST(LocaleFormats, LoadingReplacesTheProcessRecord) {
  ScopedLocaleFormats keep{LocaleFormats{}};
  FixedLocale source;
  source.With(LocaleItem::TimeSeparator, ".");
  LoadLocaleFormats(source);
  EXPECT_EQ(FormatSettings().timeSeparator, '.');
  FixedLocale none;
  LoadLocaleFormats(none);
  EXPECT_EQ(FormatSettings().timeSeparator, ':');
}

}  // namespace dz
