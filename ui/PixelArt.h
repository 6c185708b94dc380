#pragma once
// Pictures written as readable pixel art in source: one character per pixel,
// a palette giving each character its colour. They become 24-bit pixel
// buffers here, and bitmaps on the platform side or BMP files for tests.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Graphics.h"

namespace dz {

struct PixelColour {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const PixelColour&, const PixelColour&) = default;
};

struct PaletteEntry {
  char key;
  PixelColour colour;
};

// A 24-bit picture: rows top-down, three bytes (R, G, B) per pixel, no padding.
class PixelImage {
 public:
  PixelImage() = default;
  PixelImage(int width, int height, PixelColour fill = {});

  int Width() const noexcept { return width_; }
  int Height() const noexcept { return height_; }
  bool Empty() const noexcept { return width_ == 0 || height_ == 0; }
  const std::vector<std::uint8_t>& Bytes() const noexcept { return bytes_; }

  // Out-of-range coordinates throw Exception.
  PixelColour At(int x, int y) const;
  void Set(int x, int y, PixelColour colour);
  // The pixel that names the colour drawn as transparent.
  PixelColour BottomLeft() const { return At(0, height_ - 1); }

 private:
  std::size_t Offset(int x, int y) const;
  int width_ = 0, height_ = 0;
  std::vector<std::uint8_t> bytes_;
};

// Builds a picture from rows of equal length. Throws Exception for no rows,
// rows of different lengths, a character missing from the palette (naming it
// and its place) or a character given twice in the palette.
PixelImage ParsePixelArt(std::initializer_list<std::string_view> rows,
                         std::initializer_list<PaletteEntry> palette);
PixelImage ParsePixelArt(const std::vector<std::string_view>& rows,
                         const std::vector<PaletteEntry>& palette);

// The disabled look of a picture: every pixel but the transparent one becomes
// a grey of its brightness, lifted so that dark lines stay visible on a
// button face.
PixelImage GreyedPicture(const PixelImage& picture, PixelColour transparent);

// The picture as the control model holds pictures (glyphs).
Image ToImage(const PixelImage& picture);
// The picture with each pixel made a square of factor x factor pixels.
PixelImage Enlarged(const PixelImage& picture, int factor);
// Pictures of one height side by side, as a glyph's cells; throws Exception
// when the heights differ.
PixelImage SideBySide(const PixelImage& left, const PixelImage& right);

// The bytes of a 24-bit BMP file: 14-byte file header, 40-byte info header,
// rows bottom-up in B, G, R order, each padded to a multiple of 4 bytes.
std::vector<std::uint8_t> EncodeBmp(const PixelImage& picture);
// The bytes of a 16-colour BMP file in the standard palette (black, maroon,
// green, olive, navy, purple, teal, silver, grey, red, lime, yellow, blue,
// fuchsia, aqua, white): the headers, the palette, rows bottom-up with two
// pixels a byte (the left one in the high half), each row padded to a
// multiple of 4 bytes. Throws Exception for a colour outside the palette.
std::vector<std::uint8_t> EncodeBmp16(const PixelImage& picture);
// The bytes of an icon file holding the pictures in the order given, each a
// 32-bit image with its alpha channel and its 1-bit mask: the pixels of the
// colour `transparent` are clear (alpha 0, mask bit set, colour black), every
// other pixel is opaque. A 256 x 256 picture is kept as a PNG file instead,
// as the system expects of that size. Throws Exception for no pictures or a
// picture that is empty or larger than 256 x 256.
std::vector<std::uint8_t> EncodeIco(const std::vector<PixelImage>& pictures, PixelColour transparent);
// Writes EncodeBmp's bytes; false when the file cannot be written whole.
bool WriteBmpFile(const PixelImage& picture, const std::string& path);

}  // namespace dz
