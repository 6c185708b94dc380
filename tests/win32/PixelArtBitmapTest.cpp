#include <gtest/gtest.h>

#include "platform/win32/PixelArtBitmap.h"
#include "ui/ExitDoorGlyph.h"

namespace dz::win32 {
namespace {

TEST(PixelArtBitmap, HoldsEveryPixelOfThePictureTopDown) {
  const PixelImage& door = ExitDoorPicture();
  const long before = LiveGdiOwners();
  {
    Bitmap bitmap = MakePixelArtBitmap(door);
    ASSERT_TRUE(bitmap);
    BITMAP info{};
    ASSERT_EQ(GetObjectA(bitmap.Get(), sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 18);
    EXPECT_EQ(info.bmHeight, 18);
    EXPECT_EQ(info.bmBitsPixel, 24);

    MemoryDc dc(nullptr);
    SelectGuard select(dc.Get(), bitmap.Get());
    for (int y = 0; y < door.Height(); ++y) {
      for (int x = 0; x < door.Width(); ++x) {
        const PixelColour c = door.At(x, y);
        ASSERT_EQ(GetPixel(dc.Get(), x, y), RGB(c.r, c.g, c.b)) << x << "," << y;
      }
    }
  }
  EXPECT_EQ(LiveGdiOwners(), before);
}

TEST(PixelArtBitmap, AnEmptyPictureGivesNoBitmap) {
  EXPECT_FALSE(MakePixelArtBitmap(PixelImage()));
}

}  // namespace
}  // namespace dz::win32
