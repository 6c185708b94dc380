// Writes the files the program ships that its own code makes (the media
// player's 27 button faces, the default wake-up sound and the program's
// icon) into the folder given, normally resources/:
//
//   cmake --build --preset native --target resources
//
// The files are checked in, so a cross build or a build with another
// compiler, which cannot run this tool, finds them there.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "media/MediaPlayerFaces.h"
#include "media/WakeupSound.h"
#include "ui/ProgramIcon.h"

namespace {

bool Write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) {
    std::fprintf(stderr, "WriteResources: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: WriteResources FOLDER\n");
    return 2;
  }
  const std::string faces = std::string(argv[1]) + "/faces";
  std::error_code error;
  std::filesystem::create_directories(faces, error);
  int written = 0;
  for (int s = 0; s < dz::kFaceStyleCount; ++s) {
    for (int k = 0; k < dz::kButtonKindCount; ++k) {
      const auto style = static_cast<dz::FaceStyle>(s);
      const auto kind = static_cast<dz::TMPBtnType>(k);
      const std::string path = faces + "/" + dz::FaceResourceName(style, kind) + ".bmp";
      if (!Write(path, dz::FaceBitmapFile(style, kind))) return 1;
      ++written;
    }
  }
  std::printf("wrote %d faces to %s\n", written, faces.c_str());
  const std::string sound = std::string(argv[1]) + "/wakeup.wav";
  if (!Write(sound, dz::WakeupSoundWav())) return 1;
  std::printf("wrote %s\n", sound.c_str());
  const std::string icon = std::string(argv[1]) + "/dozewell.ico";
  if (!Write(icon, dz::ProgramIconFile())) return 1;
  std::printf("wrote %s\n", icon.c_str());
  return 0;
}
