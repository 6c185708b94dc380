// The media player's faces as the source draws them and as the program's
// resources carry them.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "media/MediaPlayerFaces.h"

namespace dz {
namespace {

constexpr PixelColour kOlive{128, 128, 0}, kBlack{0, 0, 0}, kGrey{128, 128, 128}, kWhite{255, 255, 255};

std::uint32_t Rgb(PixelColour c) { return static_cast<std::uint32_t>(c.r << 16 | c.g << 8 | c.b); }

std::set<std::uint32_t> ColoursOf(const PixelImage& face) {
  std::set<std::uint32_t> colours;
  for (int y = 0; y < face.Height(); ++y) {
    for (int x = 0; x < face.Width(); ++x) colours.insert(Rgb(face.At(x, y)));
  }
  return colours;
}

TEST(MediaPlayerFaces, TheCheckedInBitmapsAreWhatTheSourceDraws) {
  for (int s = 0; s < kFaceStyleCount; ++s) {
    for (int k = 0; k < kButtonKindCount; ++k) {
      const auto style = static_cast<FaceStyle>(s);
      const auto kind = static_cast<TMPBtnType>(k);
      const std::string name = FaceResourceName(style, kind);
      std::ifstream in(std::string(DZ_RESOURCES_DIR) + "/faces/" + name + ".bmp", std::ios::binary);
      const std::vector<std::uint8_t> checkedIn{std::istreambuf_iterator<char>(in),
                                                std::istreambuf_iterator<char>()};
      EXPECT_TRUE(checkedIn == FaceBitmapFile(style, kind))
          << "resources/faces/" << name << ".bmp is missing or out of date; rewrite the faces with\n"
             "  cmake --preset native && cmake --build --preset native --target resources";
    }
  }
}

TEST(MediaPlayerFaces, DisabledFacesAreGreyAndWhiteEnabledOnesBlackColouredOnesTheKindsColour) {
  const std::set<std::uint32_t> outline{Rgb(kOlive), Rgb(kGrey), Rgb(kWhite)};
  for (int k = 0; k < kButtonKindCount; ++k) {
    const auto kind = static_cast<TMPBtnType>(k);
    EXPECT_EQ(ColoursOf(DrawnFace(FaceStyle::Disabled, kind)), outline) << k;
    const auto enabled = ColoursOf(DrawnFace(FaceStyle::Enabled, kind));
    EXPECT_EQ(enabled, (std::set<std::uint32_t>{Rgb(kOlive), Rgb(kGrey), Rgb(kWhite), Rgb(kBlack)})) << k;
    EXPECT_EQ(ColoursOf(DrawnFace(FaceStyle::Coloured, kind)).size(), 5u) << k;
    // Bottom-left is the ground: the transparent colour where a bitmap names it.
    EXPECT_EQ(DrawnFace(FaceStyle::Coloured, kind).BottomLeft(), kOlive) << k;
  }
  EXPECT_TRUE(ColoursOf(DrawnFace(FaceStyle::Coloured, btPlay)).count(0x00FF00));
  EXPECT_TRUE(ColoursOf(DrawnFace(FaceStyle::Coloured, btStop)).count(0xFF0000));
}

}  // namespace
}  // namespace dz
