#include "platform/win32/PixelArtBitmap.h"

#include <cstring>

namespace dz::win32 {

Bitmap MakePixelArtBitmap(const PixelImage& picture) noexcept {
  if (picture.Empty()) return Bitmap();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = picture.Width();
  info.bmiHeader.biHeight = -picture.Height();  // negative: rows top-down, as the picture
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  Bitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return Bitmap();
  // DIB rows are B, G, R and padded to whole 32-bit words.
  const std::size_t width = static_cast<std::size_t>(picture.Width());
  const std::size_t stride = (width * 3 + 3) & ~std::size_t{3};
  const std::uint8_t* source = picture.Bytes().data();
  auto* dest = static_cast<std::uint8_t*>(bits);
  for (int y = 0; y < picture.Height(); ++y) {
    std::uint8_t* row = dest + static_cast<std::size_t>(y) * stride;
    for (std::size_t x = 0; x < width; ++x, source += 3) {
      row[x * 3] = source[2];
      row[x * 3 + 1] = source[1];
      row[x * 3 + 2] = source[0];
    }
    std::memset(row + width * 3, 0, stride - width * 3);
  }
  GdiFlush();  // the bits are in place before GDI reads them
  return bitmap;
}

}  // namespace dz::win32
