#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "runtime/Exceptions.h"
#include "ui/PixelArt.h"
#include "ui/ProgramIcon.h"

namespace dz {
namespace {

constexpr PixelColour kClear{255, 0, 255};
constexpr PixelColour kRed{200, 32, 32};
constexpr PixelColour kBlue{0, 0, 255};

std::uint32_t Le(const std::vector<std::uint8_t>& b, std::size_t at, int bytes) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | b.at(at + static_cast<std::size_t>(i));
  return value;
}

// One picture of an icon file as the system reads it: the directory entry's
// size, then the image's colour rows and mask rows, both bottom-up.
struct IconImage {
  int width, height;
  std::size_t pixels, mask, maskStride;
};

std::vector<IconImage> ReadIconDirectory(const std::vector<std::uint8_t>& file) {
  EXPECT_EQ(Le(file, 0, 2), 0u);
  EXPECT_EQ(Le(file, 2, 2), 1u);  // an icon
  std::vector<IconImage> images;
  std::size_t end = 6 + 16 * Le(file, 4, 2);
  for (std::uint32_t i = 0; i < Le(file, 4, 2); ++i) {
    const std::size_t entry = 6 + 16 * i;
    const int width = file.at(entry) ? file.at(entry) : 256;
    const int height = file.at(entry + 1) ? file.at(entry + 1) : 256;
    const std::uint32_t size = Le(file, entry + 8, 4), offset = Le(file, entry + 12, 4);
    EXPECT_EQ(offset, end) << "image " << i << " does not follow the one before";
    end = offset + size;
    EXPECT_EQ(Le(file, offset + 4, 4), static_cast<std::uint32_t>(width));
    EXPECT_EQ(Le(file, offset + 8, 4), static_cast<std::uint32_t>(height * 2));
    EXPECT_EQ(Le(file, offset + 14, 2), 32u);
    const std::size_t stride = (static_cast<std::size_t>(width) + 31) / 32 * 4;
    const std::size_t pixels = offset + 40;
    const std::size_t mask = pixels + static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    EXPECT_EQ(mask + stride * static_cast<std::size_t>(height), offset + size);
    images.push_back({width, height, pixels, mask, stride});
  }
  EXPECT_EQ(end, file.size()) << "the images do not fill the file exactly";
  return images;
}

// B, G, R, A of a pixel given top-down, as the file stores it bottom-up.
std::vector<std::uint8_t> Bgra(const std::vector<std::uint8_t>& file, const IconImage& image, int x, int y) {
  const std::size_t at = image.pixels + (static_cast<std::size_t>(image.height - 1 - y) *
                                          static_cast<std::size_t>(image.width) + static_cast<std::size_t>(x)) * 4;
  return {file.at(at), file.at(at + 1), file.at(at + 2), file.at(at + 3)};
}

bool MaskBit(const std::vector<std::uint8_t>& file, const IconImage& image, int x, int y) {
  const std::size_t row = image.mask + static_cast<std::size_t>(image.height - 1 - y) * image.maskStride;
  return (file.at(row + static_cast<std::size_t>(x) / 8) >> (7 - x % 8)) & 1;
}

TEST(IconWriter, StoresRowsBottomUpInBgrOrderWithClearPixelsMaskedAndTransparent) {
  // Three wide, two high, nothing symmetric: a flipped or mirrored icon shows.
  const PixelImage picture = ParsePixelArt({".rb", "rr."}, {{'.', kClear}, {'r', kRed}, {'b', kBlue}});
  const std::vector<std::uint8_t> file = EncodeIco({picture}, kClear);
  const std::vector<IconImage> images = ReadIconDirectory(file);
  ASSERT_EQ(images.size(), 1u);
  const IconImage& image = images[0];
  EXPECT_EQ(image.maskStride, 4u);  // mask rows padded to 32 bits
  EXPECT_EQ(Bgra(file, image, 0, 0), (std::vector<std::uint8_t>{0, 0, 0, 0}));
  EXPECT_EQ(Bgra(file, image, 1, 0), (std::vector<std::uint8_t>{32, 32, 200, 255}));
  EXPECT_EQ(Bgra(file, image, 2, 0), (std::vector<std::uint8_t>{255, 0, 0, 255}));
  EXPECT_EQ(Bgra(file, image, 2, 1), (std::vector<std::uint8_t>{0, 0, 0, 0}));
  EXPECT_TRUE(MaskBit(file, image, 0, 0));
  EXPECT_FALSE(MaskBit(file, image, 1, 0));
  EXPECT_FALSE(MaskBit(file, image, 0, 1));
  EXPECT_TRUE(MaskBit(file, image, 2, 1));
  // The padding of a mask row stays clear of stray bits.
  for (std::size_t i = 1; i < image.maskStride; ++i) EXPECT_EQ(file.at(image.mask + i), 0u);
}

TEST(IconWriter, WritesTheSizeOf256AsZeroAndRefusesWhatNoIconCanHold) {
  const std::vector<std::uint8_t> file = EncodeIco({PixelImage(256, 256, kRed)}, kClear);
  ASSERT_EQ(ReadIconDirectory(file).size(), 1u);
  EXPECT_EQ(file.at(6), 0u);
  EXPECT_EQ(file.at(7), 0u);
  EXPECT_THROW(EncodeIco({}, kClear), Exception);
  EXPECT_THROW(EncodeIco({PixelImage(257, 16, kRed)}, kClear), Exception);
  EXPECT_THROW(EncodeIco({PixelImage(16, 0, kRed)}, kClear), Exception);
}

TEST(ProgramIcon, TheCheckedInFileIsWhatTheSourceDraws) {
  std::ifstream in(std::string(DZ_RESOURCES_DIR) + "/dozewell.ico", std::ios::binary);
  const std::vector<std::uint8_t> checkedIn{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  EXPECT_TRUE(checkedIn == ProgramIconFile())
      << "resources/dozewell.ico is missing or out of date; rewrite it with\n"
         "  cmake --preset native && cmake --build --preset native --target resources";
}

}  // namespace
}  // namespace dz
