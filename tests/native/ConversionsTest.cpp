#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "fakes/FixedLocale.h"
#include "runtime/Checked.h"
#include "runtime/Conversions.h"
#include "runtime/FormatText.h"

namespace dz {

namespace {

std::string IntegerError(const std::string& text) {
  try {
    ParseInteger(text);
  } catch (const EConvertError& e) {
    return e.Message();
  }
  return "accepted";
}

std::string TimeError(const std::string& text) {
  try {
    ParseTime(text);
  } catch (const EConvertError& e) {
    return e.Message();
  }
  return "accepted";
}

// Milliseconds of the day of a parsed time.
long long Ms(const std::string& text) {
  return std::llround(ParseTime(text) * 86400000.0);
}

long long Ms(int h, int m, int s = 0, int ms = 0) {
  return ((h * 60LL + m) * 60 + s) * 1000 + ms;
}

}  // namespace

TEST(ParseInteger, LeadingSpacesOnlyAndNothingAfterTheDigits) {
  EXPECT_EQ(ParseInteger(" 5"), 5);
  EXPECT_EQ(ParseInteger("   06"), 6);
  EXPECT_EQ(IntegerError("5 "), "'5 ' is not a valid integer value");
  EXPECT_EQ(IntegerError("\t5"), "'\t5' is not a valid integer value");
  EXPECT_EQ(IntegerError("   "), "'   ' is not a valid integer value");
  EXPECT_EQ(IntegerError("- 5"), "'- 5' is not a valid integer value");
  EXPECT_EQ(IntegerError("1.5"), "'1.5' is not a valid integer value");
}

TEST(ParseInteger, EmptyTextAndLoneSignsNameTheTextInTheMessage) {
  EXPECT_EQ(IntegerError(""), "'' is not a valid integer value");
  EXPECT_EQ(IntegerError("-"), "'-' is not a valid integer value");
  EXPECT_EQ(IntegerError("+"), "'+' is not a valid integer value");
  EXPECT_EQ(IntegerError("$"), "'$' is not a valid integer value");
  EXPECT_EQ(IntegerError("0x"), "'0x' is not a valid integer value");
}

TEST(ParseInteger, SignsAndLeadingZeros) {
  EXPECT_EQ(ParseInteger("+5"), 5);
  EXPECT_EQ(ParseInteger("-0"), 0);
  EXPECT_EQ(ParseInteger("0"), 0);
  EXPECT_EQ(ParseInteger("0000000000000000000000042"), 42);
  EXPECT_EQ(ParseInteger("-17"), -17);
}

TEST(ParseInteger, HexadecimalOnlyWithoutSign) {
  EXPECT_EQ(ParseInteger("$1F"), 31);
  EXPECT_EQ(ParseInteger("0x1F"), 31);
  EXPECT_EQ(ParseInteger("X1f"), 31);
  EXPECT_EQ(ParseInteger(" 0X1f"), 31);
  EXPECT_EQ(ParseInteger("$FFFFFFFF"), -1);
  EXPECT_EQ(ParseInteger("$80000000"), -2147483647 - 1);
  EXPECT_EQ(ParseInteger("$000000000001"), 1);  // leading zeros are not significant
  EXPECT_EQ(IntegerError("-$1F"), "'-$1F' is not a valid integer value");
  EXPECT_EQ(IntegerError("-0x1F"), "'-0x1F' is not a valid integer value");
  EXPECT_EQ(IntegerError("$100000000"), "'$100000000' is not a valid integer value");
  EXPECT_EQ(IntegerError("$1G"), "'$1G' is not a valid integer value");
  EXPECT_EQ(IntegerError("1F"), "'1F' is not a valid integer value");
}

TEST(ParseInteger, LimitsOfThirtyTwoBits) {
  EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
  EXPECT_EQ(ParseInteger("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(IntegerError("2147483648"), "'2147483648' is not a valid integer value");
  EXPECT_EQ(IntegerError("-2147483649"), "'-2147483649' is not a valid integer value");
  EXPECT_EQ(IntegerError("4294967296"), "'4294967296' is not a valid integer value");
  EXPECT_EQ(IntegerError("99999999999999999999999"),
            "'99999999999999999999999' is not a valid integer value");
}

TEST(ParseInteger, EmbeddedNulIsAnOrdinaryBadCharacter) {
  const std::string text("5\0" "1", 3);
  EXPECT_THROW(ParseInteger(text), EConvertError);
  EXPECT_EQ(IntegerError(text), "'" + text + "' is not a valid integer value");
}

TEST(ParseTime, HoursAndMinutesWithBlanksAroundEachPart) {
  EXPECT_EQ(Ms("06:50"), Ms(6, 50));
  EXPECT_EQ(Ms(" 6 : 50 "), Ms(6, 50));
  EXPECT_EQ(Ms("7:5"), Ms(7, 5));
  EXPECT_EQ(Ms("0:0"), 0);
  EXPECT_EQ(Ms("23:59:59"), Ms(23, 59, 59));
  EXPECT_EQ(Ms("12:00:00.500"), Ms(12, 0, 0, 500));
  EXPECT_EQ(Ms("12:00:00.5"), Ms(12, 0, 0, 5));  // the digits are milliseconds
  EXPECT_EQ(Ms("0006:0050"), Ms(6, 50));
  EXPECT_EQ(ParseTime("06:50"), (6 * 3600000.0 + 50 * 60000.0) / 86400000.0);
}

TEST(ParseTime, RejectsMissingPartsAndOutOfRangeValues) {
  EXPECT_EQ(TimeError("24:50"), "'24:50' is not a valid time");
  for (const char* text : {"6", "6:", "", " ", ":50", "06:60", "06:50x", "06:50:", "06:50:00.",
                           "06:50:60", "12:00:00.1000", "12345:00", "6:50 6", "-6:50"}) {
    EXPECT_EQ(TimeError(text), std::string("'") + text + "' is not a valid time") << text;
  }
}

TEST(ParseTime, MarkersBeforeOrAfter) {
  EXPECT_EQ(Ms("12:00 PM"), Ms(12, 0));
  EXPECT_EQ(Ms("12:00 AM"), 0);
  EXPECT_EQ(Ms("pm 1:05"), Ms(13, 5));
  EXPECT_EQ(Ms("Pm1:05"), Ms(13, 5));
  EXPECT_EQ(Ms("1:05am"), Ms(1, 5));
  EXPECT_EQ(Ms("11:59:59 pm"), Ms(23, 59, 59));
  EXPECT_EQ(TimeError("13:00 PM"), "'13:00 PM' is not a valid time");
  EXPECT_EQ(TimeError("0:30 AM"), "'0:30 AM' is not a valid time");
  EXPECT_EQ(TimeError("am 1:05 pm"), "'am 1:05 pm' is not a valid time");
  EXPECT_EQ(TimeError("pm"), "'pm' is not a valid time");
  EXPECT_EQ(TimeError("1:05 p"), "'1:05 p' is not a valid time");
}

TEST(ParseTime, FollowsTheLocaleSeparatorsAndMarkers) {
  {
    ScopedLocaleFormats locale('.', ',');
    EXPECT_EQ(TimeError("06:50"), "'06:50' is not a valid time");
    EXPECT_EQ(Ms("06.50"), Ms(6, 50));
    EXPECT_EQ(Ms("06.50.10,250"), Ms(6, 50, 10, 250));
    EXPECT_THROW(ParseTime("06.50.10.250"), EConvertError);
  }
  {
    // Same character for both: read in turn, no ambiguity.
    ScopedLocaleFormats locale('.', '.');
    EXPECT_EQ(Ms("06.50.10.250"), Ms(6, 50, 10, 250));
  }
  {
    LocaleFormats formats;
    formats.amString = "vorm.";
    formats.pmString = "";  // an empty marker never matches; "PM" still does
    ScopedLocaleFormats locale(formats);
    EXPECT_EQ(Ms("VORM. 12:15"), Ms(0, 15));
    EXPECT_EQ(Ms("12:15 PM"), Ms(12, 15));
    EXPECT_EQ(TimeError("12:15 vorm"), "'12:15 vorm' is not a valid time");
  }
  EXPECT_EQ(Ms("06:50"), Ms(6, 50));  // restored
}

TEST(ParseTime, MarkersMatchInAnyCaseOfTheCodePagesLetters) {
  FixedLocale turkish;  // "ÖÖ" and "ÖS" in the Western code page
  turkish.With(LocaleItem::AmString, "\xD6\xD6").With(LocaleItem::PmString, "\xD6S");
  ScopedLocaleFormats locale(ReadLocaleFormats(turkish));
  EXPECT_EQ(Ms("\xF6s 1:05"), Ms(13, 5));
  EXPECT_EQ(Ms("12:30 \xF6\xD6"), Ms(0, 30));
  EXPECT_EQ(Ms("1:05 pm"), Ms(13, 5));
}

TEST(ParseTime, TextsEndingInsideAPartFailWithoutReadingPastTheEnd) {
  const std::string withNul("06:5\0" "0", 6);
  EXPECT_THROW(ParseTime(withNul), EConvertError);
  EXPECT_THROW(ParseTime(std::string(100000, '9') + ":00"), EConvertError);
  EXPECT_EQ(Ms("0000000000000000000006:50"), Ms(6, 50));  // zeros keep the value below 1000
  for (std::string text : {"06:50:00.250 PM", "pm 06:50:00.250"}) {
    while (!text.empty()) {
      text.pop_back();
      try {
        const double t = ParseTime(text);
        EXPECT_GE(t, 0.0);
        EXPECT_LT(t, 1.0);
      } catch (const EConvertError&) {
      }
    }
  }
}

TEST(FormatText, ZeroPaddedPairs) {
  EXPECT_EQ(FormatText("%.2d:%.2d", {7, 5}), "07:05");
  EXPECT_EQ(FormatText("%.2d:%.2d", {123, 0}), "123:00");
  EXPECT_EQ(FormatText("%.2d", {-5}), "-05");
  EXPECT_EQ(FormatText("%.2d:%.2d:%.2d:%.2d", {1, 2, 3, 450}), "01:02:03:450");
  EXPECT_EQ(FormatText("%d", {-2147483647 - 1}), "-2147483648");
  EXPECT_EQ(FormatText("%d%%", {50}), "50%");
  EXPECT_EQ(FormatText("[%4d|%-4d]", {7, 7}), "[   7|7   ]");
}

TEST(FormatText, MissingArgumentsWriteNothingAndUnknownDirectivesAreCopied) {
  EXPECT_EQ(FormatText("%.2d:%.2d", {7}), "07:");
  EXPECT_EQ(FormatText("%d", {}), "");
  EXPECT_EQ(FormatText("%s and %q", {1}), "%s and %q");
  EXPECT_EQ(FormatText("100%", {}), "100%");
  EXPECT_EQ(FormatText("%.", {}), "%.");
  EXPECT_EQ(FormatText("%.99999999999999999999d", {1}).size(), 1024u);  // width capped
}

TEST(CheckedArithmetic, OverflowAndRangeErrors) {
  EXPECT_EQ(CheckedAdd(2147483646, 1), 2147483647);
  EXPECT_THROW(CheckedAdd(2147483647, 1), EIntOverflow);
  EXPECT_THROW(CheckedSub(-2147483647 - 1, 1), EIntOverflow);
  EXPECT_EQ(CheckedSub(-1, 2147483647), -2147483647 - 1);
  EXPECT_THROW(CheckedMul(35792, 60000), EIntOverflow);  // minutes x 60000
  EXPECT_EQ(CheckedMul(35791, 60000), 2147460000);
  EXPECT_THROW(CheckedMul(-2147483647 - 1, -1), EIntOverflow);

  EXPECT_THROW(ToUInt32Range(-1), ERangeError);
  EXPECT_EQ(ToUInt32Range(0), 0u);
  EXPECT_EQ(ToUInt32Range(4294967295LL), 4294967295u);
  EXPECT_THROW(CheckedSubU16(0, 1), ERangeError);
  EXPECT_EQ(CheckedSubU16(60, 10), 50);
  EXPECT_THROW(CheckedAddU16(65535, 1), ERangeError);
  try {
    CheckedAdd(2147483647, 1);
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Integer overflow");
  }
  try {
    ToUInt32Range(-5);
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Range check error");
  }
}

}  // namespace dz
