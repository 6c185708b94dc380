#include "ui/StoredBitmap.h"

#include "runtime/Exceptions.h"

namespace dz {

namespace {

// Larger pictures are not glyphs; refusing them keeps a damaged size field
// from asking for gigabytes.
constexpr std::int64_t kMaxSide = 4096;

[[noreturn]] void Invalid() { throw Exception("Bitmap image is not valid"); }

std::uint32_t Le(const std::uint8_t* p, int bytes) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | p[i];
  return value;
}

}  // namespace

std::vector<std::uint8_t> StoredBitmap(const PixelImage& picture) {
  const std::vector<std::uint8_t> bmp = EncodeBmp(picture);
  std::vector<std::uint8_t> out;
  out.reserve(4 + bmp.size());
  const auto count = static_cast<std::uint32_t>(bmp.size());
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(count >> (8 * i)));
  out.insert(out.end(), bmp.begin(), bmp.end());
  return out;
}

Image ReadStoredBitmap(const std::uint8_t* data, std::size_t size) {
  if (size < 4) Invalid();
  const std::uint32_t count = Le(data, 4);
  if (count == 0) return {};
  if (count > size - 4 || count < 54) Invalid();
  const std::uint8_t* file = data + 4;
  if (file[0] != 'B' || file[1] != 'M') Invalid();
  const std::uint32_t pixelsAt = Le(file + 10, 4);
  const std::uint32_t infoSize = Le(file + 14, 4);
  const auto width = static_cast<std::int32_t>(Le(file + 18, 4));
  const auto rawHeight = static_cast<std::int32_t>(Le(file + 22, 4));
  const std::uint32_t planes = Le(file + 26, 2);
  const std::uint32_t bits = Le(file + 28, 2);
  const std::uint32_t compression = Le(file + 30, 4);
  if (infoSize < 40 || planes != 1 || (bits != 24 && bits != 32) || compression != 0) Invalid();
  const bool bottomUp = rawHeight > 0;
  const std::int64_t height = bottomUp ? rawHeight : -static_cast<std::int64_t>(rawHeight);
  if (width <= 0 || width > kMaxSide || height <= 0 || height > kMaxSide) Invalid();
  const std::int64_t bytesPerPixel = bits / 8;
  const std::int64_t stride = (width * bytesPerPixel + 3) / 4 * 4;
  if (pixelsAt < 14 + std::int64_t{infoSize} || pixelsAt > count || stride * height > count - pixelsAt) Invalid();

  Image image;
  image.Width = width;
  image.Height = static_cast<int>(height);
  image.Pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (std::int64_t row = 0; row < height; ++row) {
    const std::uint8_t* in = file + pixelsAt + row * stride;
    const std::int64_t y = bottomUp ? height - 1 - row : row;
    for (std::int64_t x = 0; x < width; ++x, in += bytesPerPixel) {
      image.Pixels[static_cast<std::size_t>(y * width + x)] = RGBColor(in[2], in[1], in[0]);
    }
  }
  return image;
}

}  // namespace dz
