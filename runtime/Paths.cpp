#include "runtime/Paths.h"

namespace dz {

std::string FolderOfPath(std::string_view path, LeadByteTest isLeadByte) {
  std::size_t cut = 0;  // length of the folder part
  std::size_t i = 0;
  while (i < path.size()) {
    const auto byte = static_cast<unsigned char>(path[i]);
    if (isLeadByte && isLeadByte(byte) && i + 1 < path.size()) {
      i += 2;  // lead and trail byte together
      continue;
    }
    if (byte == '\\' || byte == ':') cut = i + 1;
    ++i;
  }
  return std::string(path.substr(0, cut));
}

}  // namespace dz
