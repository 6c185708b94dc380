// The rich-text label painting on its parent's surface (raster canvas: 10
// points are 13-pixel characters in 7-pixel cells on 16-pixel lines, 8 points
// 11-pixel characters in 6-pixel cells on 14-pixel lines).
#include <gtest/gtest.h>

#include <string>

#include "alarm/Form1Texts.h"
#include "fakes/RasterCanvas.h"
#include "runtime/Exceptions.h"
#include "ui/Forms.h"
#include "ui/RTFLabel.h"

namespace dz {
namespace {

using namespace std::string_literals;

class RTFLabelPaint : public ::testing::Test {
 protected:
  // A grey form with one label at its top-left corner.
  TRTFLabel* Label(const std::string& document, int width = 921, int height = 17) {
    form.SetColor(clGray);
    auto* label = new TRTFLabel(&form);
    label->SetParent(&form);
    label->SetBounds(0, 0, width, height);
    label->SetRichText(document);
    return label;
  }

  TForm form{nullptr};
  RasterCanvas canvas{921, 40, clFuchsia};
};

TEST_F(RTFLabelPaint, ProductLineIsYellowAndCyanOnTheWindowColourAndFlashesWithIt) {
  Label(RTFLabel1Document());
  form.PaintWindowless(canvas);
  const TRect label{0, 0, 921, 17};
  EXPECT_GT(canvas.CountColor(clYellow, label), 0);
  EXPECT_GT(canvas.CountColor(clAqua, label), 0);
  EXPECT_EQ(canvas.CountColor(clBlack, label), 0);  // the gap has no ink
  EXPECT_EQ(canvas.CountColor(clFuchsia, label), 0);
  // Inset one pixel at the left and the top: the first cell starts at (1, 1)
  // and its glyph one row below the line's top.
  EXPECT_EQ(canvas.CountColor(clGray, {0, 0, 921, 2}), 921 * 2);
  EXPECT_EQ(canvas.CountColor(clGray, {0, 0, 1, 17}), 17);
  EXPECT_EQ(canvas.Pixel(1, 2), clYellow);
  // Both sizes share one baseline: the last rows of their glyphs.
  const int descriptionX = 1 + 7 * 22 + 6 * 2;
  EXPECT_EQ(canvas.Pixel(1, 14), clYellow);
  EXPECT_EQ(canvas.Pixel(descriptionX, 14), clAqua);
  EXPECT_EQ(canvas.Pixel(descriptionX, 3), clGray);

  form.SetColor(clWhite);
  form.PaintWindowless(canvas);
  EXPECT_EQ(canvas.CountColor(clGray, label), 0);
  EXPECT_GT(canvas.CountColor(clYellow, label), 0);
  EXPECT_GT(canvas.CountColor(clAqua, label), 0);
}

TEST_F(RTFLabelPaint, EmptyDocumentShowsOnlyTheBackground) {
  Label("");
  form.PaintWindowless(canvas);
  EXPECT_EQ(canvas.CountColor(clGray), 921 * 17);
  EXPECT_EQ(canvas.CountColor(clFuchsia), 921 * (40 - 17));
}

TEST_F(RTFLabelPaint, TextThatIsNotRtfIsShownAsPlainTextInTheWindowTextColour) {
  Label("plain words\r\n\0"s);
  form.PaintWindowless(canvas);
  EXPECT_EQ(canvas.Pixel(1, 2), clBlack);
  EXPECT_EQ(canvas.CountColor(clBlack), 10 * 6 * 13);  // ten characters, 6 x 13 each
}

TEST_F(RTFLabelPaint, DataNeitherRtfNorTextFailsToLoadAfterTheBackgroundIsPainted) {
  Label("ab\0cd"s);
  try {
    form.PaintWindowless(canvas);
    FAIL() << "painted binary data";
  } catch (const EOutOfResources& e) {
    EXPECT_EQ(e.Message(), "Failed to Load Stream");
  }
  EXPECT_EQ(canvas.CountColor(clGray), 921 * 17);
}

TEST_F(RTFLabelPaint, LongDescriptionBreaksAtASpaceAndALineThatDoesNotFitIsNotDrawn) {
  // Name and gap end at 1 + 166; the x-word at 767 and the y-word, which
  // would end past 921, goes to the next line. The label is taller than one
  // line but not two, so a second line drawn would show.
  Label(ProductDocument("Dozewell Pocket Timer", 2, std::string(100, 'x') + " " + std::string(50, 'y')), 921, 28);
  form.PaintWindowless(canvas);
  EXPECT_EQ(canvas.Pixel(1 + 166 + 600 - 2, 10), clAqua);
  EXPECT_EQ(canvas.CountColor(clAqua, {1 + 166 + 600, 0, 921, 17}), 0);
  EXPECT_EQ(canvas.CountColor(clAqua, {0, 17, 921, 28}), 0);
}

TEST_F(RTFLabelPaint, TransparentLabelDrawsItsTextOverWhatIsThere) {
  Label(RTFLabel2Document())->SetTransparent(true);
  form.PaintWindowless(canvas);
  EXPECT_EQ(canvas.CountColor(clGray), 0);
  EXPECT_EQ(canvas.Pixel(0, 0), clFuchsia);
  EXPECT_EQ(canvas.Pixel(1, 2), clYellow);
}

}  // namespace
}  // namespace dz
