#pragma once
// Pictures as PNG files, the form the system expects of an icon's 256 x 256
// picture.
#include <cstdint>
#include <vector>

#include "ui/PixelArt.h"

namespace dz {

// The bytes of a PNG file of the picture: 8-bit RGBA, not interlaced; the
// pixels of the colour `transparent` are clear (alpha 0, colour black), all
// others opaque. The image data sits in stored (uncompressed) deflate
// blocks, which every reader accepts and which need no compressor.
std::vector<std::uint8_t> EncodePng(const PixelImage& picture, PixelColour transparent);

}  // namespace dz
