#pragma once
// A bitmap as the window layout stores it (a glyph button's Glyph): a 32-bit
// little-endian byte count, then that many bytes of a BMP file. A count of 0
// is an empty bitmap.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/Graphics.h"
#include "ui/PixelArt.h"

namespace dz {

std::vector<std::uint8_t> StoredBitmap(const PixelImage& picture);

// Reads an uncompressed 24- or 32-bit BMP in that form. Anything else, or a
// file that does not fit in `size` bytes, raises Exception ("Bitmap image is
// not valid"); nothing is read beyond `size`.
Image ReadStoredBitmap(const std::uint8_t* data, std::size_t size);

}  // namespace dz
