#pragma once
// The program's face resources as the source draws them, with the names
// asked for recorded; some may be missing or hold another picture.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "media/MediaPlayerFaces.h"

namespace dz {

class FakeFaceResources final : public FaceResources {
 public:
  Image LoadFace(const std::string& name) override;

  std::vector<std::string> asked;
  std::set<std::string> missing;
  std::map<std::string, Image> replaced;
};

}  // namespace dz
