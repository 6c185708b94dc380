// The media player's faces as the running program carries them: every one
// of the 27 loads by name from the program's resources with the pixels the
// source draws.
#include <gtest/gtest.h>

#include "platform/win32/GdiHandles.h"
#include "platform/win32/Win32FaceResources.h"

namespace dz::win32 {
namespace {

TEST(MediaPlayerFacesWin32, EveryFaceLoadsByNameWithThePixelsOfTheSourceAndLeavesNoHandle) {
  Win32FaceResources resources;
  const long before = LiveGdiOwners();
  for (int s = 0; s < kFaceStyleCount; ++s) {
    for (int k = 0; k < kButtonKindCount; ++k) {
      const auto style = static_cast<FaceStyle>(s);
      const auto kind = static_cast<TMPBtnType>(k);
      const Image loaded = resources.LoadFace(FaceResourceName(style, kind));
      const Image drawn = ToImage(DrawnFace(style, kind));
      EXPECT_EQ(loaded.Width, drawn.Width) << FaceResourceName(style, kind);
      EXPECT_EQ(loaded.Height, drawn.Height) << FaceResourceName(style, kind);
      EXPECT_TRUE(loaded.Pixels == drawn.Pixels) << FaceResourceName(style, kind);
    }
  }
  EXPECT_TRUE(resources.LoadFace("EN_MPNOTHING").Empty());
  EXPECT_EQ(LiveGdiOwners(), before);
}

}  // namespace
}  // namespace dz::win32
