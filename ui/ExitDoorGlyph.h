#pragma once
// The Exit button's picture: an open door under a green exit sign, 18 by 18.
// Its bottom-left pixel is the colour drawn as transparent.
#include "ui/PixelArt.h"

namespace dz {

const PixelImage& ExitDoorPicture();
// The same picture greyed, for the disabled button.
const PixelImage& ExitDoorPictureDisabled();
// The Exit button's glyph: two 18 by 18 cells side by side, the door and
// its greyed variant.
Image ExitDoorGlyph();

}  // namespace dz
