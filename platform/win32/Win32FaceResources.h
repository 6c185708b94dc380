#pragma once
// The media player's faces from the program's own bitmap resources: loaded
// by name (LoadBitmapA) and read back as pixels, which the control keeps.
#include "media/MediaPlayerFaces.h"

namespace dz::win32 {

class Win32FaceResources final : public FaceResources {
 public:
  Image LoadFace(const std::string& name) override;
};

}  // namespace dz::win32
