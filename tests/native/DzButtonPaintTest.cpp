// The glyph button's face, layout and glyph cells, pixel by pixel on the
// raster canvas (classic system colours; text in blocks, see RasterCanvas.h).
#include <gtest/gtest.h>

#include <vector>

#include "fakes/RasterCanvas.h"
#include "runtime/Platform.h"
#include "ui/DzApplication.h"
#include "ui/DzButton.h"
#include "ui/Forms.h"

namespace dz {
namespace {

const TColor kFace = RGBColor(192, 192, 192);
const TColor kGrey = RGBColor(128, 128, 128);  // button shadow and grey text
const TColor kInvertedFace = kFace ^ 0xFFFFFFu;  // under a focus rectangle's dot

// Cells of w x h side by side, each in its colour; the strip's bottom-left
// pixel is lime, the transparent colour.
Image Strip(int w, int h, const std::vector<TColor>& colours) {
  Image image;
  image.Width = w * static_cast<int>(colours.size());
  image.Height = h;
  for (int y = 0; y < h; ++y) {
    for (const TColor c : colours) image.Pixels.insert(image.Pixels.end(), static_cast<std::size_t>(w), c);
  }
  image.Pixels[static_cast<std::size_t>(h - 1) * image.Width] = clLime;
  return image;
}

// Measures every caption as 50 x 16, as the platform's font does "Snooze".
class SnoozeMeasure final : public RasterCanvas {
 public:
  using RasterCanvas::RasterCanvas;
  int DrawText(const std::string& text, TRect& rect, unsigned flags) override {
    if (!(flags & dtCalcRect)) return RasterCanvas::DrawText(text, rect, flags);
    rect.Right = rect.Left + 50;
    rect.Bottom = rect.Top + 16;
    return 16;
  }
};

class DzPaint : public ::testing::Test {
 protected:
  DzPaint() {
    button->SetParent(&form);
    form.Show();
    button->SetBounds(0, 0, 253, 153);
    button->SetColor(clBtnFace);
    TFont font;
    font.Height = 13;  // "Snooze": 42 x 16
    font.Color = clBlack;
    button->SetFont(font);
    button->SetAlignText2Glyph(taBottom);
    button->SetCaption("Snooze");
    button->SetGlyph(Strip(32, 32, {clRed}));
  }
  RasterCanvas Paint(bool pressed = false, bool focused = false) {
    RasterCanvas canvas(253, 153, clFuchsia);
    button->DrawItem(canvas, pressed, focused);
    return canvas;
  }

  TForm form{nullptr};
  TDzButton* button = new TDzButton(&form);
};

TEST_F(DzPaint, WorkedExampleGlyphAt110x50AndCaptionFrom101x85To153x103) {
  SnoozeMeasure canvas(253, 153);
  button->DrawItem(canvas, false, false);
  EXPECT_EQ(canvas.Pixel(110, 50), clRed);
  EXPECT_EQ(canvas.Pixel(109, 50), kFace);
  EXPECT_EQ(canvas.Pixel(141, 81), clRed);
  EXPECT_EQ(canvas.Pixel(142, 81), kFace);
  EXPECT_EQ(canvas.Pixel(110, 81), kFace) << "the glyph's ground is transparent";
  // Characters are blocks from the second row of the line.
  EXPECT_EQ(canvas.Pixel(101, 86), clBlack);
  EXPECT_EQ(canvas.Pixel(100, 86), kFace);
  EXPECT_EQ(canvas.Pixel(101, 85), kFace);
  EXPECT_EQ(canvas.CountColor(clFuchsia), 0);
}

TEST_F(DzPaint, ClassicFaceRaisedUntilPressedThenSunkenWithTheContentOneLowerRight) {
  RasterCanvas up = Paint();
  EXPECT_EQ(up.Pixel(0, 0), clWhite);
  EXPECT_EQ(up.Pixel(252, 152), clBlack);
  EXPECT_EQ(up.Pixel(251, 151), kGrey);
  button->SetFocus();  // a pressed button loses its dark ring
  RasterCanvas down = Paint(true, true);
  EXPECT_EQ(down.Pixel(0, 76), clBlack);
  EXPECT_EQ(down.Pixel(1, 76), kGrey);
  EXPECT_EQ(down.Pixel(4, 4), kInvertedFace) << "focus rectangle 4 inside";
  EXPECT_EQ(down.Pixel(111, 51), clRed);
  EXPECT_EQ(down.Pixel(110, 50), kFace);
}

TEST_F(DzPaint, ClassicFocusAddsTheDarkRingAndFocusRectangleAndShrinksTheContent) {
  button->ButtonLayout().SetAlignment(agTopLeft);
  EXPECT_EQ(Paint().Pixel(9, 3), clRed);
  button->SetFocus();
  ASSERT_TRUE(button->Active());
  RasterCanvas focused = Paint(false, true);
  EXPECT_EQ(focused.Pixel(0, 76), clBlack);
  EXPECT_EQ(focused.Pixel(1, 76), clWhite);
  EXPECT_EQ(focused.Pixel(4, 100), kInvertedFace);
  EXPECT_EQ(focused.Pixel(10, 5), clRed);
  EXPECT_EQ(focused.Pixel(9, 5), kFace);
}

TEST_F(DzPaint, GlyphOrCaptionAloneIsCentredWithoutAGapAndALoneAmpersandTakesALine) {
  button->SetCaption("");
  EXPECT_EQ(Paint().Pixel(110, 60), clRed);
  EXPECT_EQ(Paint().Pixel(110, 59), kFace);
  button->SetCaption("&");
  EXPECT_EQ(Paint().Pixel(110, 50), clRed);
  button->SetCaption("Snooze");
  button->SetGlyph({});
  RasterCanvas text = Paint();
  EXPECT_EQ(text.Pixel(105, 69), clBlack);
  EXPECT_EQ(text.Pixel(104, 69), kFace);
  EXPECT_EQ(text.Pixel(105, 68), kFace);
}

TEST_F(DzPaint, ABlockLargerThanTheContentOverflowsBothSidesTheOddPixelOnTheRight) {
  button->SetBounds(0, 0, 21, 20);  // content 15 x 14 for a 32 x 32 glyph
  button->SetCaption("");
  RasterCanvas canvas(61, 60, clFuchsia);
  canvas.OffsetOrigin(20, 20);
  button->DrawItem(canvas, false, false);
  EXPECT_EQ(canvas.Pixel(15, 30), clRed);  // 8 left of the content's left edge, 23
  EXPECT_EQ(canvas.Pixel(14, 30), clFuchsia);
  EXPECT_EQ(canvas.Pixel(46, 30), clRed);  // 9 right of its right edge, 37
  EXPECT_EQ(canvas.Pixel(47, 30), clFuchsia);
  EXPECT_EQ(canvas.Pixel(30, 14), clRed);  // 9 above and 9 below when even
  EXPECT_EQ(canvas.Pixel(30, 13), clFuchsia);
}

TEST_F(DzPaint, TaRightTopDrawsTheGlyphOnePixelLowerThanTaLeftTop) {
  button->SetGlyph(Strip(8, 8, {clRed}));
  button->SetCaption("Ab");  // box 16 x 18: the block is 26 x 18 from (113, 67)
  button->SetAlignText2Glyph(taLeftTop);
  EXPECT_EQ(Paint().Pixel(131, 67), clRed);
  button->SetAlignText2Glyph(taRightTop);
  EXPECT_EQ(Paint().Pixel(113, 67), kFace);
  EXPECT_EQ(Paint().Pixel(113, 68), clRed);
}

TEST_F(DzPaint, CellsFollowTheStateWithFiveCellsAndShowTheNormalOneWithOne) {
  button->SetGlyph(Strip(32, 32, {clRed, clBlue, clGreen, clYellow, clAqua}));
  ASSERT_EQ(button->NumGlyphs(), 5);
  EXPECT_EQ(Paint().Pixel(115, 55), clRed);
  button->MouseEnter();
  EXPECT_EQ(Paint().Pixel(115, 55), clGreen);
  EXPECT_EQ(Paint(true).Pixel(116, 56), clAqua);
  button->SetEnabled(false);
  EXPECT_EQ(Paint().Pixel(115, 55), clBlue);

  button->SetEnabled(true);
  button->SetGlyph(Strip(32, 32, {clRed}));
  EXPECT_EQ(Paint().Pixel(115, 55), clRed) << "hot";
  EXPECT_EQ(Paint(true).Pixel(116, 56), clRed) << "pressed";
}

TEST_F(DzPaint, DisabledShowsTheEmbossedBlackPixelsOnlyAndASunkenCaption) {
  Image glyph = Strip(32, 32, {clRed});
  glyph.Pixels[5 * 32 + 5] = clBlack;
  button->SetGlyph(glyph);
  button->SetEnabled(false);
  RasterCanvas canvas = Paint();
  EXPECT_EQ(canvas.Pixel(115, 55), kGrey);
  EXPECT_EQ(canvas.Pixel(116, 56), clWhite);
  EXPECT_EQ(canvas.CountColor(clRed), 0);
  EXPECT_EQ(canvas.CountColor(clBlack, {100, 48, 150, 84}), 0);
  // Caption box from (105, 85): highlight one lower right, grey text in place.
  EXPECT_EQ(canvas.Pixel(105, 86), kGrey);
  EXPECT_EQ(canvas.Pixel(111, 99), clWhite);

  button->SetGlyph(Strip(32, 32, {clRed}));
  RasterCanvas none = Paint();
  EXPECT_EQ(none.CountColor(kFace, {110, 50, 142, 82}), 32 * 32) << "no black pixel: nothing left";
}

class DzThemedPaint : public DzPaint {
 protected:
  RasterTheme theme;
  ScopedPlatform scope{[this] {
    Platform p;
    p.theme = &theme;
    return p;
  }()};
};

TEST_F(DzThemedPaint, ThemedFaceFollowsThePointerAndPressWithoutMovingTheContent) {
  EXPECT_EQ(Paint().Pixel(0, 0), RasterTheme::FaceColor(ThemeState::Normal)) << "frame just outside";
  EXPECT_EQ(Paint().Pixel(110, 50), clRed);
  button->MouseEnter();
  EXPECT_EQ(Paint().Pixel(5, 5), RasterTheme::FaceColor(ThemeState::Hot));
  RasterCanvas pressed = Paint(true);
  EXPECT_EQ(pressed.Pixel(5, 5), RasterTheme::FaceColor(ThemeState::Pressed));
  EXPECT_EQ(pressed.Pixel(110, 50), clRed);
  EXPECT_EQ(pressed.Pixel(109, 50), RasterTheme::FaceColor(ThemeState::Pressed));
  button->SetFocus();
  EXPECT_EQ(Paint(false, true).Pixel(2, 2), RasterTheme::FaceColor(ThemeState::Hot) ^ 0xFFFFFFu);
}

TEST_F(DzThemedPaint, ClassicFaceWhenTheStyleIsOffSwitchedOffOrCannotBeDrawn) {
  theme.active = false;
  EXPECT_EQ(Paint().Pixel(0, 0), clWhite);
  theme.active = true;
  TDzApplication::Instance().SetThemesEnabled(false);
  EXPECT_EQ(Paint().Pixel(0, 0), clWhite);
  TDzApplication::Instance().SetThemesEnabled(true);
  theme.fails = true;
  EXPECT_EQ(Paint().Pixel(0, 0), clWhite);
  EXPECT_EQ(Paint().Pixel(110, 50), clRed);
}

}  // namespace
}  // namespace dz
