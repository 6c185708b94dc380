#include "fakes/FakeFaceResources.h"

namespace dz {

Image FakeFaceResources::LoadFace(const std::string& name) {
  asked.push_back(name);
  if (missing.count(name)) return {};
  if (auto found = replaced.find(name); found != replaced.end()) return found->second;
  for (int s = 0; s < kFaceStyleCount; ++s) {
    for (int k = 0; k < kButtonKindCount; ++k) {
      const auto style = static_cast<FaceStyle>(s);
      const auto kind = static_cast<TMPBtnType>(k);
      if (FaceResourceName(style, kind) == name) return ToImage(DrawnFace(style, kind));
    }
  }
  return {};
}

}  // namespace dz
