#include "runtime/Platform.h"

#include "runtime/Exceptions.h"

namespace dz {

Platform& CurrentPlatform() {
  static Platform platform;
  return platform;
}

ScopedPlatform::ScopedPlatform(const Platform& platform) : saved_(CurrentPlatform()) {
  CurrentPlatform() = platform;
}

ScopedPlatform::~ScopedPlatform() { CurrentPlatform() = saved_; }

std::string& ApplicationTitle() {
  static std::string title;
  return title;
}

void ThrowMissingPort(const char* name) {
  throw Exception(std::string("No platform service installed: ") + name);
}

}  // namespace dz
