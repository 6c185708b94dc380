// The canvas on a real GDI surface: transparent pictures, system colours,
// origin and clip, fonts, and that nothing is left behind.
#include <gtest/gtest.h>

#include "platform/win32/GdiCanvas.h"
#include "platform/win32/GdiHandles.h"

namespace dz::win32 {
namespace {

// A 64 x 48 off-screen surface, white.
class Surface {
 public:
  Surface() : screen_(nullptr), dc_(screen_.Get()), bits_(CreateCompatibleBitmap(screen_.Get(), 64, 48)),
              selected_(dc_.Get(), bits_.Get()) {
    Brush white(CreateSolidBrush(RGB(255, 255, 255)));
    const RECT all{0, 0, 64, 48};
    FillRect(dc_.Get(), &all, white.Get());
  }
  HDC Dc() const { return dc_.Get(); }
  COLORREF At(int x, int y) const { return GetPixel(dc_.Get(), x, y); }

 private:
  WindowDc screen_;
  MemoryDc dc_;
  Bitmap bits_;
  SelectGuard selected_;
};

Image ThreeByTwo() {
  // 3 x 2: olive is the transparent ground (bottom-left pixel).
  Image image;
  image.Width = 3;
  image.Height = 2;
  image.Pixels = {clRed, clOlive, clBlue,  //
                  clOlive, clLime, clOlive};
  return image;
}

}  // namespace

TEST(GdiCanvas, PictureLeavesItsTransparentColourOut) {
  Surface surface;
  {
    GdiCanvas canvas(surface.Dc());
    const Image image = ThreeByTwo();
    canvas.DrawImage(10, 20, image, image.BottomLeft());
    canvas.DrawImage(30, 20, image, clNone);
  }
  EXPECT_EQ(surface.At(10, 20), RGB(255, 0, 0));
  EXPECT_EQ(surface.At(11, 20), RGB(255, 255, 255)) << "transparent: the ground shows";
  EXPECT_EQ(surface.At(12, 20), RGB(0, 0, 255));
  EXPECT_EQ(surface.At(10, 21), RGB(255, 255, 255));
  EXPECT_EQ(surface.At(11, 21), RGB(0, 255, 0));
  EXPECT_EQ(surface.At(13, 20), RGB(255, 255, 255)) << "nothing beyond the picture";
  EXPECT_EQ(surface.At(31, 20), RGB(128, 128, 0)) << "without a transparent colour every pixel";
}

TEST(GdiCanvas, APictureIsMadeIntoBitmapsOnceAndFreedWithIt) {
  Surface surface;
  const long before = LiveGdiOwners();
  {
    Picture picture(ThreeByTwo(), clOlive);
    const PictureRendering* made = nullptr;
    for (int paint = 0; paint < 3; ++paint) {  // one canvas per paint, as in WM_PAINT
      GdiCanvas canvas(surface.Dc());
      canvas.DrawPicture(10 * paint, 20, picture);
      if (paint == 0) made = picture.Rendering();
      ASSERT_NE(picture.Rendering(), nullptr);
      EXPECT_EQ(picture.Rendering(), made) << "paint " << paint << " made the bitmaps again";
    }
    EXPECT_EQ(surface.At(20, 20), RGB(255, 0, 0));
    EXPECT_EQ(surface.At(21, 20), RGB(255, 255, 255)) << "the ground shows through";
    EXPECT_EQ(surface.At(21, 21), RGB(0, 255, 0));

    Image blue = ThreeByTwo();
    blue.Pixels[0] = clBlue;
    picture.Assign(blue, clOlive);
    EXPECT_EQ(picture.Rendering(), nullptr) << "bitmaps of the old pixels kept";
    GdiCanvas canvas(surface.Dc());
    canvas.DrawPicture(40, 20, picture);
    EXPECT_EQ(surface.At(40, 20), RGB(0, 0, 255));
  }
  EXPECT_EQ(LiveGdiOwners(), before) << "the picture's bitmaps outlived it";
}

TEST(GdiCanvas, SystemColoursAreLookedUpWhenDrawn) {
  Surface surface;
  GdiCanvas canvas(surface.Dc());
  canvas.Brush = {clBtnFace, bsSolid};
  canvas.FillRect({0, 0, 4, 4});
  EXPECT_EQ(surface.At(1, 1), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(canvas.ResolveColor(clWindowText), GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(canvas.ResolveColor(clAqua), RGB(0, 255, 255));
}

TEST(GdiCanvas, OriginAndClipAddUpAndComeBack) {
  Surface surface;
  GdiCanvas canvas(surface.Dc());
  canvas.Brush = {clRed, bsSolid};
  {
    CanvasStateGuard outer(canvas);
    canvas.OffsetOrigin(10, 10);
    canvas.IntersectClip({0, 0, 5, 5});
    {
      CanvasStateGuard inner(canvas);
      canvas.OffsetOrigin(2, 2);
      canvas.FillRect({0, 0, 20, 20});  // clipped to (10,10)-(15,15)
    }
  }
  EXPECT_EQ(surface.At(12, 12), RGB(255, 0, 0));
  EXPECT_EQ(surface.At(14, 14), RGB(255, 0, 0));
  EXPECT_EQ(surface.At(15, 15), RGB(255, 255, 255)) << "outside the clip";
  EXPECT_EQ(surface.At(11, 11), RGB(255, 255, 255)) << "before the inner origin";
  // Restored: no origin, no clip.
  canvas.FillRect({0, 0, 2, 2});
  EXPECT_EQ(surface.At(0, 0), RGB(255, 0, 0));
}

TEST(GdiCanvas, LinesStopBeforeTheirEndAndAClearPenDrawsNothing) {
  Surface surface;
  GdiCanvas canvas(surface.Dc());
  canvas.Pen = {clBlack, 1, psSolid};
  canvas.MoveTo(2, 5);
  canvas.LineTo(8, 5);
  EXPECT_EQ(surface.At(7, 5), RGB(0, 0, 0));
  EXPECT_EQ(surface.At(8, 5), RGB(255, 255, 255));
  canvas.Pen.Style = psClear;
  canvas.Brush = {clBlue, bsSolid};
  canvas.Rectangle({20, 20, 24, 24});
  EXPECT_EQ(surface.At(23, 23), RGB(0, 0, 255)) << "without a pen the fill takes the whole rectangle";
  EXPECT_EQ(surface.At(24, 24), RGB(255, 255, 255));
}

TEST(GdiCanvas, FontsTakeTheirCharacterHeightAndCharacterSet) {
  TFont arial{"Arial", 13, fsBold, clWindowText, ANSI_CHARSET_ID};
  HFONT handle = CachedFont(arial).Get();
  LOGFONTA lf{};
  ASSERT_EQ(GetObjectA(handle, sizeof lf, &lf), static_cast<int>(sizeof lf));
  EXPECT_EQ(lf.lfHeight, -13);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_EQ(lf.lfCharSet, ANSI_CHARSET);
  EXPECT_STREQ(lf.lfFaceName, "Arial");
  EXPECT_EQ(CachedFont(arial).Get(), handle) << "made once";

  TFont window;  // "MS Sans Serif", 11 px, the default character set
  LOGFONTA wl{};
  GetObjectA(CachedFont(window).Get(), sizeof wl, &wl);
  EXPECT_EQ(wl.lfCharSet, DEFAULT_CHARSET);
  EXPECT_EQ(wl.lfHeight, -11);

  Surface surface;
  GdiCanvas canvas(surface.Dc());
  canvas.Font = arial;
  const TextMetrics tm = canvas.GetTextMetrics();
  EXPECT_EQ(tm.Height - tm.InternalLeading, 13);
}

TEST(GdiCanvas, TextAfterARestoredStateIsInTheCanvasFont) {
  // The canvas leaves its font in the device between calls; a restored
  // state brings back the font of the save, which must not pass for the
  // canvas's current one.
  Surface surface;
  GdiCanvas canvas(surface.Dc());
  const TFont big{"Arial", 30, 0, clWindowText, ANSI_CHARSET_ID};
  const TFont small{"Arial", 9, 0, clWindowText, ANSI_CHARSET_ID};
  canvas.Font = small;
  const int smallWidth = canvas.TextExtent("Snooze").cx;
  canvas.Font = big;
  const int bigWidth = canvas.TextExtent("Snooze").cx;
  ASSERT_GT(bigWidth, smallWidth);
  const int state = canvas.SaveState();
  canvas.Font = small;
  EXPECT_EQ(canvas.TextExtent("Snooze").cx, smallWidth);
  canvas.RestoreState(state);
  EXPECT_EQ(canvas.TextExtent("Snooze").cx, smallWidth) << "measured in the font of the saved state";
}

TEST(GdiCanvas, TheFontCacheStaysBoundedAndAFontInUseOutlivesItsPlaceInIt) {
  const SharedFont held = CachedFont(TFont{"Arial", 7, 0, clWindowText, ANSI_CHARSET_ID});
  for (int height = 8; height < 8 + 2 * static_cast<int>(kFontCacheLimit); ++height) {
    CachedFont(TFont{"Arial", height, 0, clWindowText, ANSI_CHARSET_ID});
  }
  EXPECT_LE(CachedFontCount(), kFontCacheLimit);
  LOGFONTA lf{};
  ASSERT_EQ(GetObjectA(held.Get(), sizeof lf, &lf), static_cast<int>(sizeof lf)) << "deleted while held";
  EXPECT_EQ(lf.lfHeight, -7);
}

TEST(GdiCanvas, DrawingLeavesNoGdiObjectsBehind) {
  Surface surface;
  CachedFont(TFont{});  // the cache keeps the fonts in use: fill it first
  const long before = LiveGdiOwners();
  {
    GdiCanvas canvas(surface.Dc());
    const Image image = ThreeByTwo();
    for (int i = 0; i < 20; ++i) {
      canvas.Pen = {clRed, 1, psSolid};
      canvas.Brush = {clYellow, bsSolid};
      canvas.Rectangle({0, 0, 10, 10});
      canvas.FrameRect({1, 1, 5, 5});
      canvas.DrawImage(i, 0, image, clOlive);
      canvas.TextOut(0, 20, "Snooze");
    }
  }
  EXPECT_EQ(LiveGdiOwners(), before);
}

}  // namespace dz::win32
