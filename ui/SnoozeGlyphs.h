#pragma once
// The glyphs of the window's two picture buttons, and the form in which the
// window layout stores them (ui/StoredBitmap.h).
// - Snooze, 32 x 32: a sleeping golden head on grey, three red Z letters
//   rising from its crown towards the top right.
// - Repeat off, 50 x 32: a sleeping white face on olive, and three black
//   eighth notes struck through by a red cross.
#include <cstdint>
#include <vector>

#include "ui/PixelArt.h"

namespace dz {

const PixelImage& SnoozePicture();
const PixelImage& RepeatOffPicture();
const std::vector<std::uint8_t>& SnoozeGlyphData();
const std::vector<std::uint8_t>& RepeatOffGlyphData();

}  // namespace dz
