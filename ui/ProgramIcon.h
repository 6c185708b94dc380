#pragma once
// The program's own icon: a red twin-bell alarm clock with a white dial,
// drawn as pixel art at 16 x 16 (title bar, taskbar), 20 and 24 (the same at
// 125 to 150 % scaling), 32 x 32 and 48 x 48 (desktop and file lists), 40
// and 64 (those at larger scaling) and 256 x 256 (the file lists' large
// views). The program carries it as its first icon resource, made from
// resources/dozewell.ico, which the tool target "resources" writes from this
// source.
#include <cstdint>
#include <vector>

#include "ui/PixelArt.h"

namespace dz {

// The colour of the pixels the icon leaves clear.
inline constexpr PixelColour kIconClear{255, 0, 255};

// The pictures, smallest first.
const std::vector<PixelImage>& ProgramIconPictures();

// The bytes of the icon file.
std::vector<std::uint8_t> ProgramIconFile();

}  // namespace dz
