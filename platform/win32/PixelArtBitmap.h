#pragma once
// Bitmaps made from pixel-art pictures: a 24-bit top-down DIB section that
// any memory DC can select, owned like every other created GDI object.
#include <windows.h>

#include "platform/win32/GdiHandles.h"
#include "ui/PixelArt.h"

namespace dz::win32 {

// An empty picture or a refused DIB section gives an empty owner; drawing
// code then leaves the picture out.
Bitmap MakePixelArtBitmap(const PixelImage& picture) noexcept;

}  // namespace dz::win32
