// Reading rich text (RTF and the plain-text fallback) and laying it out.
#include <gtest/gtest.h>

#include <string>

#include "alarm/Form1Texts.h"
#include "fakes/RasterCanvas.h"
#include "ui/RichDocument.h"
#include "ui/RichLayout.h"

namespace dz {
namespace {

using namespace std::string_literals;

// The document's text, paragraphs separated by "|".
std::string Text(const RichDocument& doc) {
  std::string text;
  for (const RichParagraph& paragraph : doc.Paragraphs) {
    if (&paragraph != &doc.Paragraphs.front()) text += '|';
    for (const RichRun& run : paragraph.Runs) text += run.Text;
  }
  return text;
}

std::string RtfText(const std::string& rtf) {
  const auto doc = ReadRtf(rtf);
  return doc ? Text(*doc) : "<not RTF>";
}

// --- RTF --------------------------------------------------------------------

TEST(RtfReaderTest, TheWindowsDocumentsGiveABoldYellowNameAGapAndACyanDescription) {
  for (const auto& [document, gap] : {std::pair{RTFLabel1Document(), 2}, std::pair{RTFLabel2Document(), 1}}) {
    const auto doc = ReadRtf(document);
    ASSERT_TRUE(doc);
    ASSERT_EQ(doc->Paragraphs.size(), 1u);
    const auto& runs = doc->Paragraphs[0].Runs;
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].Format, (RichFormat{"Arial", ANSI_CHARSET_ID, 20, fsBold, clYellow}));
    EXPECT_EQ(runs[0].Text.substr(0, 9), "Dozewell ");
    EXPECT_EQ(runs[0].Text.back(), ':');
    EXPECT_EQ(runs[1].Format, (RichFormat{"Arial", ANSI_CHARSET_ID, 16, 0, clWindowText}));
    EXPECT_EQ(runs[1].Text, std::string(static_cast<std::size_t>(gap), ' '));
    EXPECT_EQ(runs[2].Format, (RichFormat{"Arial", ANSI_CHARSET_ID, 16, 0, clAqua}));
    EXPECT_EQ(runs[2].Text.substr(0, 2), "A ");
    EXPECT_EQ(runs[2].Text.back(), '.');  // the line breaks of the source are not text
  }
}

TEST(RtfReaderTest, EscapedSymbolsHexAndUnicodeCharacters) {
  EXPECT_EQ(RtfText(R"({\rtf1 a\\b\{c\}\'e9\~d\_e\-f})"), "a\\b{c}\xE9\xA0" "d-ef");
  // \u takes the place of its fallback characters (\uc of them) when the
  // code page has the character, and leaves them to be shown when not.
  EXPECT_EQ(RtfText(R"({\rtf1 \u8364\'80 x\uc2\u8217 ab y\u1234?z})"), "\x80 x\x92 y?z");
}

TEST(RtfReaderTest, FormattingEndsWithItsGroup) {
  const auto doc = ReadRtf(R"({\rtf1 {\b\fs30 x}y})");
  ASSERT_TRUE(doc);
  const auto& runs = doc->Paragraphs.at(0).Runs;
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].Format.Style, fsBold);
  EXPECT_EQ(runs[1].Format, RichFormat{});
}

TEST(RtfReaderTest, PlainGoesBackToTheDefaultFontSizeColourAndStyle) {
  const auto doc = ReadRtf(
      R"({\rtf1\deff0{\fonttbl{\f0 Arial;}{\f1 Courier New;}}{\colortbl;\red255\green0\blue0;})"
      R"(\f1\fs30\cf1\b\i x\plain y})");
  ASSERT_TRUE(doc);
  const auto& runs = doc->Paragraphs.at(0).Runs;
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[1].Text, "y");
  EXPECT_EQ(runs[1].Format.Face, "Arial");
  EXPECT_EQ(runs[1].Format.HalfPoints, kDefaultHalfPoints);
  EXPECT_EQ(runs[1].Format.Color, clWindowText);
  EXPECT_EQ(runs[1].Format.Style, 0u);
}

TEST(RtfReaderTest, DestinationsItDoesNotShowAreSkippedBinaryDataIncluded) {
  // The three bytes after \bin3 are data: their braces close nothing.
  EXPECT_EQ(RtfText(R"({\rtf1 {\*\unknown {nested} hidden}{\info{\title T}}{\pict\bin3 }{}A}B})"), "B");
  EXPECT_EQ(RtfText(R"({\rtf1 {\fonttbl{\f3{\*\panose 02}Courier New;}}\f3 x})"), "x");
  EXPECT_EQ(ReadRtf(R"({\rtf1 {\fonttbl{\f3{\*\panose 02}Courier New;}}\f3 x})")->Paragraphs[0].Runs[0].Format.Face,
            "Courier New");
}

TEST(RtfReaderTest, UnbalancedBracesEndTheDocumentOrAreSupplied) {
  EXPECT_EQ(RtfText(R"({\rtf1 {\b bold)"), "bold");
  EXPECT_EQ(RtfText(R"({\rtf1 in}out}})"), "in");
  EXPECT_EQ(RtfText(R"({\rtf1 one\par two\par})"), "one|two");
}

TEST(RtfReaderTest, GroupsNestedTooDeeplyAreSkippedWithoutExhaustingTheStack) {
  const std::string deep = "{\\rtf1 " + std::string(200000, '{') + "\\b deep" + std::string(200000, '}') + "after}";
  const auto doc = ReadRtf(deep);
  ASSERT_TRUE(doc);
  EXPECT_EQ(Text(*doc), "after");
  EXPECT_EQ(doc->Paragraphs[0].Runs[0].Format.Style, 0u);
}

TEST(RtfReaderTest, HugeNumbersSaturate) {
  const auto doc = ReadRtf(R"({\rtf1\fs99999999999999999999 a\cf-99999999999 b\f4294967297 c\u99999999999 d})");
  ASSERT_TRUE(doc);
  EXPECT_EQ(Text(*doc), "abcd");
  EXPECT_EQ(doc->Paragraphs[0].Runs[0].Format, (RichFormat{"Arial", DEFAULT_CHARSET_ID, 3276, 0, clWindowText}));
}

TEST(RtfReaderTest, DataThatDoesNotStartAsRtfIsLeftToThePlainTextReader) {
  EXPECT_FALSE(ReadRtf("plain words"));
  EXPECT_FALSE(ReadRtf(" {\\rtf1 x}"));
  EXPECT_FALSE(ReadRtf("{\\rtfx y}"));
  EXPECT_FALSE(ReadRtf(""));
}

// --- Plain text -------------------------------------------------------------

TEST(PlainTextTest, LinesBecomeParagraphsAndTheClosingZeroBytesEndTheText) {
  const auto doc = ReadPlainText("one\r\ntwo\nthree\r\0\0"s);
  ASSERT_TRUE(doc);
  EXPECT_EQ(Text(*doc), "one|two|three");
  EXPECT_EQ(doc->Paragraphs[1].Runs[0].Format, RichFormat{});
  // A zero byte with text after it is binary data, not text.
  EXPECT_FALSE(ReadPlainText("ab\0cd"s));
}

// --- Layout -----------------------------------------------------------------

TEST(RichLayoutTest, FormattingRectangleIsInsetOnePixelInTwipsAtEachResolution) {
  const TRect client{0, 0, 921, 17};
  EXPECT_EQ(FormattingRectTwips(client, {96, 96}), (TRect{15, 15, 13815, 255}));
  EXPECT_EQ(TwipsToPixels(FormattingRectTwips(client, {96, 96}), {96, 96}), (TRect{1, 1, 921, 17}));
  EXPECT_EQ(FormattingRectTwips(client, {120, 120}), (TRect{12, 12, 11052, 204}));
  EXPECT_EQ(TwipsToPixels(FormattingRectTwips(client, {120, 120}), {120, 120}), (TRect{1, 1, 921, 17}));
  // Sizes follow the resolution: 10 points are 13 pixels at 96 and 17 at 120.
  EXPECT_EQ(FontOf(RichFormat{}, 96).Height, 13);
  EXPECT_EQ(FontOf(RichFormat{}, 120).Height, 17);
}

TEST(RichLayoutTest, AWordWiderThanTheLineBreaksBetweenCharacters) {
  // 10 points on the raster: 7-pixel cells, 16-pixel lines.
  RasterCanvas canvas(70, 100, clWhite);
  const auto doc = ReadPlainText(std::string(35, 'x'));
  EXPECT_EQ(RenderRichText(canvas, *doc, {0, 0, 70, 100}), 4);
  EXPECT_EQ(canvas.Pixel(68, 16 * 2 + 5), clBlack);  // the third line is full
  EXPECT_EQ(canvas.Pixel(36, 16 * 3 + 5), clWhite);  // the fourth holds the last five
  EXPECT_EQ(RenderRichText(canvas, *doc, {0, 0, 0, 100}), 0);
}

TEST(RichLayoutTest, AWordThatExactlyFillsTheLineStaysOnIt) {
  RasterCanvas canvas(70, 100, clWhite);  // ten 7-pixel cells
  EXPECT_EQ(RenderRichText(canvas, *ReadPlainText("abcd efghi"), {0, 0, 70, 100}), 1);
  EXPECT_EQ(RenderRichText(canvas, *ReadPlainText("abcd efghij"), {0, 0, 70, 100}), 2);
}

}  // namespace
}  // namespace dz
