#include "platform/win32/Win32FaceResources.h"

#include <windows.h>

#include <vector>

#include "platform/win32/GdiCanvas.h"
#include "platform/win32/GdiHandles.h"

namespace dz::win32 {

Image Win32FaceResources::LoadFace(const std::string& name) {
  // Freed with DeleteObject like a made bitmap; the pixels are copied out.
  const Bitmap bitmap(LoadBitmapA(GetModuleHandleA(nullptr), name.c_str()));
  BITMAP header{};
  if (!bitmap || !GetObjectA(bitmap.Get(), sizeof header, &header) || header.bmWidth <= 0 ||
      header.bmHeight <= 0)
    return {};
  BITMAPINFO info = TopDown32BitInfo(header.bmWidth, header.bmHeight);
  std::vector<DWORD> bits(static_cast<std::size_t>(header.bmWidth) * header.bmHeight);
  const WindowDc screen(nullptr);
  if (!screen.Get() || GetDIBits(screen.Get(), bitmap.Get(), 0, static_cast<UINT>(header.bmHeight),
                                 bits.data(), &info, DIB_RGB_COLORS) != header.bmHeight)
    return {};
  Image image;
  image.Width = header.bmWidth;
  image.Height = header.bmHeight;
  image.Pixels.reserve(bits.size());
  for (const DWORD bgr : bits) {
    image.Pixels.push_back(RGBColor((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF));
  }
  return image;
}

}  // namespace dz::win32
