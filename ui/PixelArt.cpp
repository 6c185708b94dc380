#include "ui/PixelArt.h"

#include <array>
#include <fstream>

#include "runtime/Exceptions.h"
#include "ui/PngFile.h"

namespace dz {

PixelImage::PixelImage(int width, int height, PixelColour fill) {
  if (width < 0 || height < 0) throw Exception("Picture size out of range");
  width_ = width;
  height_ = height;
  bytes_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
  for (std::size_t i = 0; i < bytes_.size(); i += 3) {
    bytes_[i] = fill.r;
    bytes_[i + 1] = fill.g;
    bytes_[i + 2] = fill.b;
  }
}

std::size_t PixelImage::Offset(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) throw Exception("Pixel outside the picture");
  return (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)) * 3;
}

PixelColour PixelImage::At(int x, int y) const {
  const std::size_t i = Offset(x, y);
  return {bytes_[i], bytes_[i + 1], bytes_[i + 2]};
}

void PixelImage::Set(int x, int y, PixelColour colour) {
  const std::size_t i = Offset(x, y);
  bytes_[i] = colour.r;
  bytes_[i + 1] = colour.g;
  bytes_[i + 2] = colour.b;
}

PixelImage ParsePixelArt(std::initializer_list<std::string_view> rows,
                         std::initializer_list<PaletteEntry> palette) {
  return ParsePixelArt(std::vector<std::string_view>(rows), std::vector<PaletteEntry>(palette));
}

PixelImage ParsePixelArt(const std::vector<std::string_view>& rows,
                         const std::vector<PaletteEntry>& palette) {
  if (rows.empty() || rows.front().empty()) throw Exception("Pixel art has no pixels");
  // A table by byte value: every character of the grid is looked up once.
  std::array<const PixelColour*, 256> colours{};
  for (const PaletteEntry& entry : palette) {
    auto& slot = colours[static_cast<unsigned char>(entry.key)];
    if (slot) throw Exception(std::string("Pixel art palette gives '") + entry.key + "' twice");
    slot = &entry.colour;
  }
  const std::size_t width = rows.front().size();
  PixelImage image(static_cast<int>(width), static_cast<int>(rows.size()));
  for (std::size_t y = 0; y < rows.size(); ++y) {
    if (rows[y].size() != width)
      throw Exception("Pixel art row " + std::to_string(y) + " has " + std::to_string(rows[y].size()) +
                      " pixels, not " + std::to_string(width));
    for (std::size_t x = 0; x < width; ++x) {
      const PixelColour* colour = colours[static_cast<unsigned char>(rows[y][x])];
      if (!colour)
        throw Exception(std::string("Pixel art character '") + rows[y][x] + "' at " + std::to_string(x) +
                        "," + std::to_string(y) + " is not in the palette");
      image.Set(static_cast<int>(x), static_cast<int>(y), *colour);
    }
  }
  return image;
}

PixelImage GreyedPicture(const PixelImage& picture, PixelColour transparent) {
  PixelImage out = picture;
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      const PixelColour c = picture.At(x, y);
      if (c == transparent) continue;
      const int luma = (299 * c.r + 587 * c.g + 114 * c.b) / 1000;
      // Squeeze 0..255 into 64..224: black lines stay dark, white stays light.
      auto grey = static_cast<std::uint8_t>(64 + luma * 160 / 255);
      PixelColour g{grey, grey, grey};
      if (g == transparent) g.r = static_cast<std::uint8_t>(grey ^ 1);  // never vanish
      out.Set(x, y, g);
    }
  }
  return out;
}

Image ToImage(const PixelImage& picture) {
  Image image;
  image.Width = picture.Width();
  image.Height = picture.Height();
  image.Pixels.reserve(static_cast<std::size_t>(picture.Width()) * static_cast<std::size_t>(picture.Height()));
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      const PixelColour c = picture.At(x, y);
      image.Pixels.push_back(RGBColor(c.r, c.g, c.b));
    }
  }
  return image;
}

PixelImage Enlarged(const PixelImage& picture, int factor) {
  if (factor < 1) throw Exception("Picture size out of range");
  PixelImage out(picture.Width() * factor, picture.Height() * factor);
  for (int y = 0; y < out.Height(); ++y) {
    for (int x = 0; x < out.Width(); ++x) out.Set(x, y, picture.At(x / factor, y / factor));
  }
  return out;
}

PixelImage SideBySide(const PixelImage& left, const PixelImage& right) {
  if (left.Height() != right.Height()) throw Exception("Glyph cells differ in height");
  PixelImage out(left.Width() + right.Width(), left.Height());
  for (int y = 0; y < out.Height(); ++y) {
    for (int x = 0; x < left.Width(); ++x) out.Set(x, y, left.At(x, y));
    for (int x = 0; x < right.Width(); ++x) out.Set(left.Width() + x, y, right.At(x, y));
  }
  return out;
}

namespace {

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const PixelImage& picture) {
  const auto width = static_cast<std::uint32_t>(picture.Width());
  const auto height = static_cast<std::uint32_t>(picture.Height());
  const std::uint32_t stride = (width * 3 + 3) & ~3u;
  const std::uint32_t imageSize = stride * height;
  const std::uint32_t headers = 14 + 40;

  std::vector<std::uint8_t> out;
  out.reserve(headers + imageSize);
  out.push_back('B');
  out.push_back('M');
  PutLe(out, headers + imageSize, 4);  // file size
  PutLe(out, 0, 4);                    // reserved
  PutLe(out, headers, 4);              // offset of the pixels
  PutLe(out, 40, 4);                   // info header size
  PutLe(out, width, 4);
  PutLe(out, height, 4);               // positive: rows bottom-up
  PutLe(out, 1, 2);                    // planes
  PutLe(out, 24, 2);                   // bits per pixel
  PutLe(out, 0, 4);                    // no compression
  PutLe(out, imageSize, 4);
  PutLe(out, 3780, 4);                 // 96 dots per inch, in pixels per metre
  PutLe(out, 3780, 4);
  PutLe(out, 0, 4);                    // colours used
  PutLe(out, 0, 4);                    // important colours
  for (int y = picture.Height() - 1; y >= 0; --y) {
    for (int x = 0; x < picture.Width(); ++x) {
      const PixelColour c = picture.At(x, y);
      out.push_back(c.b);
      out.push_back(c.g);
      out.push_back(c.r);
    }
    for (std::uint32_t pad = width * 3; pad < stride; ++pad) out.push_back(0);
  }
  return out;
}

std::vector<std::uint8_t> EncodeBmp16(const PixelImage& picture) {
  static constexpr std::array<PixelColour, 16> kPalette{{
      {0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0},
      {0, 0, 128}, {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
      {128, 128, 128}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0},
      {0, 0, 255}, {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
  }};
  const auto indexOf = [&](int x, int y) {
    const PixelColour c = picture.At(x, y);
    for (std::size_t i = 0; i < kPalette.size(); ++i) {
      if (kPalette[i] == c) return static_cast<std::uint8_t>(i);
    }
    throw Exception("Colour at " + std::to_string(x) + "," + std::to_string(y) +
                    " is not one of the 16 standard colours");
  };
  const auto width = static_cast<std::uint32_t>(picture.Width());
  const auto height = static_cast<std::uint32_t>(picture.Height());
  const std::uint32_t stride = ((width + 1) / 2 + 3) & ~3u;
  const std::uint32_t imageSize = stride * height;
  const std::uint32_t headers = 14 + 40 + 16 * 4;

  std::vector<std::uint8_t> out;
  out.reserve(headers + imageSize);
  out.push_back('B');
  out.push_back('M');
  PutLe(out, headers + imageSize, 4);
  PutLe(out, 0, 4);
  PutLe(out, headers, 4);
  PutLe(out, 40, 4);
  PutLe(out, width, 4);
  PutLe(out, height, 4);
  PutLe(out, 1, 2);
  PutLe(out, 4, 2);                    // bits per pixel
  PutLe(out, 0, 4);
  PutLe(out, imageSize, 4);
  PutLe(out, 3780, 4);
  PutLe(out, 3780, 4);
  PutLe(out, 16, 4);                   // colours used
  PutLe(out, 0, 4);
  for (const PixelColour& c : kPalette) {
    out.push_back(c.b);
    out.push_back(c.g);
    out.push_back(c.r);
    out.push_back(0);
  }
  for (int y = picture.Height() - 1; y >= 0; --y) {
    const std::size_t rowStart = out.size();
    for (int x = 0; x < picture.Width(); x += 2) {
      const std::uint8_t high = indexOf(x, y);
      const std::uint8_t low = x + 1 < picture.Width() ? indexOf(x + 1, y) : 0;
      out.push_back(static_cast<std::uint8_t>(high << 4 | low));
    }
    out.resize(rowStart + stride, 0);
  }
  return out;
}

std::vector<std::uint8_t> EncodeIco(const std::vector<PixelImage>& pictures, PixelColour transparent) {
  if (pictures.empty()) throw Exception("An icon needs at least one picture");
  constexpr std::uint32_t kDirectory = 6, kEntry = 16, kInfoHeader = 40;
  std::vector<std::uint8_t> out;
  PutLe(out, 0, 2);  // reserved
  PutLe(out, 1, 2);  // an icon, not a cursor
  PutLe(out, static_cast<std::uint32_t>(pictures.size()), 2);
  std::uint32_t offset = kDirectory + kEntry * static_cast<std::uint32_t>(pictures.size());
  std::vector<std::uint32_t> sizes;
  std::vector<std::vector<std::uint8_t>> pngs(pictures.size());
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    const PixelImage& picture = pictures[i];
    if (picture.Empty() || picture.Width() > 256 || picture.Height() > 256)
      throw Exception("Icon picture size out of range");
    const auto width = static_cast<std::uint32_t>(picture.Width());
    const auto height = static_cast<std::uint32_t>(picture.Height());
    const std::uint32_t maskStride = (width + 31) / 32 * 4;
    if (width == 256 && height == 256) pngs[i] = EncodePng(picture, transparent);
    const std::uint32_t size = pngs[i].empty() ? kInfoHeader + width * height * 4 + maskStride * height
                                               : static_cast<std::uint32_t>(pngs[i].size());
    sizes.push_back(size);
    out.push_back(static_cast<std::uint8_t>(width & 0xFF));  // 256 is written as 0
    out.push_back(static_cast<std::uint8_t>(height & 0xFF));
    out.push_back(0);                                        // no palette
    out.push_back(0);                                        // reserved
    PutLe(out, 1, 2);                                        // planes
    PutLe(out, 32, 2);                                       // bits per pixel
    PutLe(out, size, 4);
    PutLe(out, offset, 4);
    offset += size;
  }
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    if (!pngs[i].empty()) {
      out.insert(out.end(), pngs[i].begin(), pngs[i].end());
      continue;
    }
    const PixelImage& picture = pictures[i];
    const auto width = static_cast<std::uint32_t>(picture.Width());
    const auto height = static_cast<std::uint32_t>(picture.Height());
    const std::uint32_t maskStride = (width + 31) / 32 * 4;
    PutLe(out, kInfoHeader, 4);
    PutLe(out, width, 4);
    PutLe(out, height * 2, 4);  // the colour rows and the mask rows
    PutLe(out, 1, 2);
    PutLe(out, 32, 2);
    PutLe(out, 0, 4);  // no compression
    PutLe(out, sizes[i] - kInfoHeader, 4);
    for (int n = 0; n < 4; ++n) PutLe(out, 0, 4);
    for (int y = picture.Height() - 1; y >= 0; --y) {
      for (int x = 0; x < picture.Width(); ++x) {
        const PixelColour c = picture.At(x, y);
        if (c == transparent) {
          PutLe(out, 0, 4);
        } else {
          out.push_back(c.b);
          out.push_back(c.g);
          out.push_back(c.r);
          out.push_back(0xFF);
        }
      }
    }
    for (int y = picture.Height() - 1; y >= 0; --y) {
      std::vector<std::uint8_t> row(maskStride, 0);
      for (int x = 0; x < picture.Width(); ++x) {
        if (picture.At(x, y) == transparent) row[static_cast<std::size_t>(x) / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
      }
      out.insert(out.end(), row.begin(), row.end());
    }
  }
  return out;
}

bool WriteBmpFile(const PixelImage& picture, const std::string& path) {
  const std::vector<std::uint8_t> bytes = EncodeBmp(picture);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) return false;
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  file.close();
  return !file.fail();
}

}  // namespace dz
