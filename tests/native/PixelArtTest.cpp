#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "runtime/Exceptions.h"
#include "ui/ExitDoorGlyph.h"
#include "ui/PixelArt.h"

namespace dz {
namespace {

constexpr PixelColour kRed{255, 0, 0};
constexpr PixelColour kBlue{0, 0, 255};

std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

TEST(PixelArtGrid, MapsEachCharacterToItsColourRowsTopDown) {
  PixelImage image = ParsePixelArt({"rb", "br", "rr"}, {{'r', kRed}, {'b', kBlue}});
  ASSERT_EQ(image.Width(), 2);
  ASSERT_EQ(image.Height(), 3);
  EXPECT_EQ(image.At(1, 0), kBlue);
  EXPECT_EQ(image.At(0, 1), kBlue);
  EXPECT_EQ(image.BottomLeft(), kRed);
  // Top-down R, G, B bytes with no row padding.
  const std::vector<std::uint8_t> expected{255, 0, 0, 0, 0, 255, 0, 0, 255, 255, 0, 0, 255, 0, 0, 255, 0, 0};
  EXPECT_EQ(image.Bytes(), expected);
}

TEST(PixelArtGrid, RejectsUnknownCharactersRaggedRowsAndEmptyGrids) {
  try {
    ParsePixelArt({"rr", "rx"}, {{'r', kRed}});
    FAIL() << "an unknown character was accepted";
  } catch (const Exception& e) {
    EXPECT_NE(e.Message().find("'x' at 1,1"), std::string::npos) << e.Message();
  }
  EXPECT_THROW(ParsePixelArt({"rr", "r"}, {{'r', kRed}}), Exception);
  EXPECT_THROW(ParsePixelArt({}, {{'r', kRed}}), Exception);
  EXPECT_THROW(ParsePixelArt({""}, {{'r', kRed}}), Exception);
  EXPECT_THROW(ParsePixelArt({"r"}, {{'r', kRed}, {'r', kBlue}}), Exception);
  // A character outside ASCII is looked up by its byte, not a negative index.
  EXPECT_THROW(ParsePixelArt({"\xff"}, {{'r', kRed}}), Exception);
}

TEST(PixelArtGrid, PixelAccessOutsideThePictureThrows) {
  PixelImage image(2, 2);
  EXPECT_THROW(image.At(2, 0), Exception);
  EXPECT_THROW(image.At(0, -1), Exception);
  EXPECT_THROW(image.Set(-1, 0, kRed), Exception);
}

TEST(BmpWriter, WritesExactHeadersAndPadsBottomUpRowsToFourBytes) {
  // 3 pixels of 3 bytes make 9 bytes a row, padded to 12.
  PixelImage image = ParsePixelArt({"rbr", "bbb"}, {{'r', kRed}, {'b', kBlue}});
  const std::vector<std::uint8_t> bmp = EncodeBmp(image);
  ASSERT_EQ(bmp.size(), 14u + 40u + 2u * 12u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(Le32(bmp, 2), bmp.size());
  EXPECT_EQ(Le32(bmp, 6), 0u);
  EXPECT_EQ(Le32(bmp, 10), 54u);
  EXPECT_EQ(Le32(bmp, 14), 40u);
  EXPECT_EQ(Le32(bmp, 18), 3u);
  EXPECT_EQ(Le32(bmp, 22), 2u);  // positive height: bottom-up
  EXPECT_EQ(bmp[26] | (bmp[27] << 8), 1);
  EXPECT_EQ(bmp[28] | (bmp[29] << 8), 24);
  EXPECT_EQ(Le32(bmp, 30), 0u);
  EXPECT_EQ(Le32(bmp, 34), 24u);
  // First stored row is the bottom one (all blue), in B, G, R order.
  const std::vector<std::uint8_t> bottom{255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 0, 0};
  const std::vector<std::uint8_t> top{0, 0, 255, 255, 0, 0, 0, 0, 255, 0, 0, 0};
  EXPECT_EQ(std::vector<std::uint8_t>(bmp.begin() + 54, bmp.begin() + 66), bottom);
  EXPECT_EQ(std::vector<std::uint8_t>(bmp.begin() + 66, bmp.end()), top);
}

TEST(BmpWriter, RowsAlreadyAlignedGetNoPaddingAndTheFileMatchesTheBytes) {
  PixelImage image(4, 1, kRed);  // 12 bytes a row
  EXPECT_EQ(EncodeBmp(image).size(), 54u + 12u);

  const std::string path = ::testing::TempDir() + "dz_pixelart_test.bmp";
  ASSERT_TRUE(WriteBmpFile(image, path));
  std::ifstream in(path, std::ios::binary);
  std::vector<std::uint8_t> read((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(read, EncodeBmp(image));
  in.close();
  std::remove(path.c_str());
  EXPECT_FALSE(WriteBmpFile(image, ::testing::TempDir() + "no-such-folder/x/y.bmp"));
}

TEST(ExitDoorPicture, IsEighteenSquareWithATransparentGroundAndAGreenSign) {
  const PixelImage& door = ExitDoorPicture();
  ASSERT_EQ(door.Width(), 18);
  ASSERT_EQ(door.Height(), 18);
  const PixelColour ground = door.BottomLeft();
  EXPECT_EQ(door.At(0, 0), ground);  // the corners around the drawing are see-through
  int green = 0;
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 18; ++x)
      if (door.At(x, y).g > 2 * door.At(x, y).r && door.At(x, y).g > 2 * door.At(x, y).b) ++green;
  EXPECT_GT(green, 40) << "the exit sign is green";
}

TEST(ExitDoorPicture, GreyedVariantKeepsTheShapeAndTheTransparentGround) {
  const PixelImage& door = ExitDoorPicture();
  const PixelImage& grey = ExitDoorPictureDisabled();
  ASSERT_EQ(grey.Width(), 18);
  ASSERT_EQ(grey.Height(), 18);
  const PixelColour ground = door.BottomLeft();
  EXPECT_EQ(grey.BottomLeft(), ground);
  for (int y = 0; y < 18; ++y) {
    for (int x = 0; x < 18; ++x) {
      const PixelColour c = grey.At(x, y);
      EXPECT_EQ(door.At(x, y) == ground, c == ground) << x << "," << y;
      if (c != ground) {
        EXPECT_TRUE(c.r == c.g && c.g == c.b) << "not grey at " << x << "," << y;
      }
    }
  }
}

TEST(ExitDoorPicture, GlyphHoldsTheDoorThenTheGreyedCellWithTheGroundBottomLeft) {
  const Image glyph = ExitDoorGlyph();
  ASSERT_EQ(glyph.Width, 36);
  ASSERT_EQ(glyph.Height, 18);
  const PixelColour ground = ExitDoorPicture().BottomLeft();
  EXPECT_EQ(glyph.BottomLeft(), RGBColor(ground.r, ground.g, ground.b));
  const PixelColour sign = ExitDoorPicture().At(2, 0);
  const PixelColour greySign = ExitDoorPictureDisabled().At(2, 0);
  EXPECT_EQ(glyph.At(2, 0), RGBColor(sign.r, sign.g, sign.b));
  EXPECT_EQ(glyph.At(18 + 2, 0), RGBColor(greySign.r, greySign.g, greySign.b));
  EXPECT_THROW(SideBySide(PixelImage(1, 2), PixelImage(1, 3)), Exception);
}

}  // namespace
}  // namespace dz
