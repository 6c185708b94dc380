#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "fakes/RasterCanvas.h"
#include "runtime/Exceptions.h"
#include "ui/Buttons.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

namespace dz {
namespace {

const TColor kHighlight = RGBColor(255, 255, 255);
const TColor kShadow = RGBColor(128, 128, 128);
const TColor kDarkShadow = RGBColor(0, 0, 0);
const TColor kFace = RGBColor(192, 192, 192);

TEST(Frame3DTest, TopLeftLinesInTheTopColourAndTheFarCornersInTheBottomColour) {
  RasterCanvas canvas(10, 8, clBlack);
  TRect r{0, 0, 10, 8};
  Frame3D(canvas, r, clWhite, clRed, 1);
  EXPECT_EQ(r, (TRect{1, 1, 9, 7}));
  EXPECT_EQ(canvas.Pixel(0, 0), clWhite);
  EXPECT_EQ(canvas.Pixel(8, 0), clWhite);
  EXPECT_EQ(canvas.Pixel(9, 0), clRed);  // top-right corner
  EXPECT_EQ(canvas.Pixel(0, 7), clRed);  // bottom-left corner
  EXPECT_EQ(canvas.Pixel(9, 7), clRed);
  EXPECT_EQ(canvas.Pixel(1, 1), clBlack);
}

TEST(PanelPaintTest, RaisedOuterBevelThenBorderThenFaceAndASunkenFrame) {
  TPanel panel(nullptr);
  panel.SetBounds(0, 0, 24, 20);
  panel.SetColor(clAqua);
  panel.SetBevelWidth(3);
  panel.SetBorderWidth(3);
  panel.SetBorderStyle(bsSingle);
  ASSERT_EQ(panel.ClientWidth(), 20);
  ASSERT_EQ(panel.ClientHeight(), 16);

  RasterCanvas canvas(24, 20, clFuchsia);
  panel.PaintBorder(canvas);
  EXPECT_EQ(canvas.Pixel(0, 0), kShadow);
  EXPECT_EQ(canvas.Pixel(1, 1), kDarkShadow);
  EXPECT_EQ(canvas.Pixel(23, 19), kHighlight);
  EXPECT_EQ(canvas.Pixel(22, 18), RGBColor(223, 223, 223));

  canvas.OffsetOrigin(panel.NonClientBorder(), panel.NonClientBorder());
  panel.Paint(canvas);
  // Client area from (2, 2) to (22, 18): 3 pixels of bevel, then 3 of border.
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(canvas.Pixel(2 + i, 10), kHighlight) << i;      // left bevel
    EXPECT_EQ(canvas.Pixel(10, 2 + i), kHighlight) << i;      // top bevel
    EXPECT_EQ(canvas.Pixel(21 - i, 10), kShadow) << i;        // right bevel
    EXPECT_EQ(canvas.Pixel(10, 17 - i), kShadow) << i;        // bottom bevel
    EXPECT_EQ(canvas.Pixel(5 + i, 10), clAqua) << i;          // border
  }
  EXPECT_EQ(canvas.Pixel(21, 2), kShadow);   // top-right corner of the bevel
  EXPECT_EQ(canvas.Pixel(2, 17), kShadow);   // bottom-left corner
  EXPECT_EQ(canvas.Pixel(12, 10), clAqua);   // face
  EXPECT_EQ(canvas.CountColor(clFuchsia), 0);  // nothing left unpainted
}

TEST(LabelPaintTest, OpaqueLabelFillsWithItsParentsColourATransparentOneDoesNot) {
  TForm form(nullptr);
  form.SetColor(clGray);
  auto* opaque = new TLabel(&form);
  opaque->SetParent(&form);
  opaque->SetAutoSize(false);
  opaque->SetBounds(0, 0, 20, 20);
  TFont font;
  font.Height = 10;
  font.Color = clMaroon;
  opaque->SetFont(font);
  opaque->SetCaption("ab");
  auto* clear = new TLabel(&form);
  clear->SetParent(&form);
  clear->SetAutoSize(false);
  clear->SetBounds(20, 0, 20, 20);
  clear->SetTransparent(true);

  RasterCanvas canvas(40, 20, clBlack);
  form.PaintWindowless(canvas);
  EXPECT_EQ(canvas.Pixel(19, 19), clGray);
  EXPECT_EQ(canvas.Pixel(1, 1), clMaroon);   // first character block
  EXPECT_EQ(canvas.Pixel(4, 1), clGray);     // the gap after it
  EXPECT_EQ(canvas.Pixel(30, 10), clBlack);  // the transparent one left it alone
  form.SetColor(clWhite);
  form.PaintWindowless(canvas);
  EXPECT_EQ(canvas.Pixel(19, 19), clWhite);  // flashes with the window
}

TEST(LabelPaintTest, RightAlignedCaptionEndsAtTheRightEdge) {
  TLabel label(nullptr);
  label.SetAutoSize(false);
  label.SetBounds(0, 0, 30, 14);
  label.SetAlignment(taRightJustify);
  TFont font;
  font.Height = 10;
  font.Color = clBlack;
  label.SetFont(font);
  label.SetColor(clWhite);
  label.SetCaption("a");
  RasterCanvas canvas(30, 14, clRed);
  label.Paint(canvas);
  EXPECT_EQ(canvas.Pixel(25, 5), clBlack);
  EXPECT_EQ(canvas.Pixel(24, 5), clWhite);
  EXPECT_EQ(canvas.Pixel(29, 5), clWhite);  // the cell's one-pixel gap
}

TEST(WindowlessPaintTest, ChildrenAreClippedToThemselvesAndLaterOnesDrawOver) {
  TForm form(nullptr);
  const auto add = [&](int left, TColor color) {
    auto* label = new TLabel(&form);
    label->SetParent(&form);
    label->SetAutoSize(false);
    label->SetBounds(left, 2, 10, 6);
    label->SetColor(color);
    return label;
  };
  add(0, clRed);
  add(5, clBlue);
  auto* hidden = add(12, clYellow);
  hidden->SetVisible(false);
  RasterCanvas canvas(30, 10, clBlack);
  form.PaintWindowless(canvas);
  EXPECT_EQ(canvas.Pixel(4, 4), clRed);
  EXPECT_EQ(canvas.Pixel(7, 4), clBlue);
  EXPECT_EQ(canvas.Pixel(4, 1), clBlack);   // nothing above the labels
  EXPECT_EQ(canvas.Pixel(20, 4), clBlack);  // the hidden one
  EXPECT_EQ(canvas.CountColor(clYellow), 0);
}

// A label whose drawing fails, as one that runs out of memory does.
class FailingLabel final : public TLabel {
 public:
  FailingLabel(TComponent* owner, std::string failure) : TLabel(owner), failure_(std::move(failure)) {}
  void Paint(Canvas&) override { throw Exception(failure_); }

 private:
  std::string failure_;
};

TEST(WindowlessPaintTest, AFailingChildLeavesTheOnesAfterItDrawnAndRaisesTheFirstFailureOnce) {
  TForm form(nullptr);
  for (const char* failure : {"first", "second"}) (new FailingLabel(&form, failure))->SetParent(&form);
  auto* after = new TLabel(&form);
  after->SetParent(&form);
  after->SetAutoSize(false);
  after->SetBounds(0, 0, 10, 6);
  after->SetColor(clBlue);
  RasterCanvas canvas(10, 6, clBlack);
  try {
    form.PaintWindowless(canvas);
    ADD_FAILURE() << "the failure was swallowed";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "first");
  }
  EXPECT_EQ(canvas.Pixel(5, 3), clBlue);
}

TEST(SpeedButtonPaintTest, RaisedFrameAndAPressedLookWhileHeld) {
  TForm form(nullptr);
  auto* button = new TSpeedButton(&form);
  button->SetParent(&form);
  button->SetBounds(0, 0, 20, 10);
  RasterCanvas canvas(20, 10, clBlack);
  form.PaintWindowless(canvas);
  EXPECT_EQ(canvas.Pixel(0, 0), kHighlight);
  EXPECT_EQ(canvas.Pixel(19, 9), kDarkShadow);
  EXPECT_EQ(canvas.Pixel(18, 8), kShadow);
  EXPECT_EQ(canvas.Pixel(10, 5), kFace);

  form.HandleMouseDown(mbLeft, 0, 5, 5);
  form.PaintWindowless(canvas);
  EXPECT_EQ(canvas.Pixel(0, 0), kDarkShadow);
  EXPECT_EQ(canvas.Pixel(19, 9), kHighlight);
  form.HandleMouseUp(mbLeft, 0, 5, 5);
  EXPECT_FALSE(button->Pressed());
}

TEST(RasterCanvasTest, ImagesSkipTheirTransparentColourAndLinesLeaveOutTheirEnd) {
  RasterCanvas canvas(6, 3, clBlack);
  Image image{2, 1, {clRed, clOlive}};
  canvas.DrawImage(1, 1, image, image.BottomLeft() == clRed ? clOlive : clRed);
  EXPECT_EQ(canvas.Pixel(1, 1), clRed);
  EXPECT_EQ(canvas.Pixel(2, 1), clBlack);
  canvas.Pen.Color = clWhite;
  canvas.MoveTo(0, 0);
  canvas.LineTo(4, 0);
  EXPECT_EQ(canvas.Pixel(3, 0), clWhite);
  EXPECT_EQ(canvas.Pixel(4, 0), clBlack);
}

}  // namespace
}  // namespace dz
