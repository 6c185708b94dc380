#pragma once
// The faces of the media player's bar. Each button kind has three, named
// "%s_%s" from a face prefix and the kind's resource base ("EN_MPPLAY",
// "DI_MPPLAY", "CL_MPPLAY" ...):
// - EN, enabled: the glyph in black with a grey and white edge;
// - DI, disabled: the glyph as a grey and white outline only;
// - CL, coloured: the glyph filled with the kind's colour.
// All are 16-colour pictures on an olive ground, which painting leaves out.
//
// The glyphs are drawn here as pixel art, and the three faces of a kind are
// made from its glyph by one rule each. The program carries them as bitmap
// resources (media/MediaPlayerFaces.rc, naming the files in resources/faces/
// that the tool target "resources" writes from this source) and the control
// loads them by name through the FaceResources port.
#include <cstdint>
#include <string>
#include <vector>

#include "media/MediaPlayer.h"
#include "ui/PixelArt.h"

namespace dz {

// The ground of every face, drawn transparent.
inline constexpr TColor kFaceGround = clOlive;

// "EN_MPPLAY" ... "CL_MPEJECT".
std::string FaceResourceName(FaceStyle style, TMPBtnType kind);

// The face as this source draws it.
const PixelImage& DrawnFace(FaceStyle style, TMPBtnType kind);

// The face's bitmap file as the program's resources hold it: 4 bits per
// pixel in the standard 16-colour palette.
std::vector<std::uint8_t> FaceBitmapFile(FaceStyle style, TMPBtnType kind);

// Port: the program's own bitmap resources.
class FaceResources {
 public:
  virtual ~FaceResources() = default;
  // The pixels of the bitmap resource `name`; an empty image when the
  // program has no such resource or it cannot be read.
  virtual Image LoadFace(const std::string& name) = 0;
};

}  // namespace dz
