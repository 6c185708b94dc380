#pragma once
// Path texts in the system's ANSI code page, which may be double-byte.
#include <string>
#include <string_view>

namespace dz {

// Tells whether a byte starts a double-byte character of the code page.
using LeadByteTest = bool (*)(unsigned char byte);

// The path up to and including its last "\" or ":", or "" when it has
// none. The scan steps over double-byte characters whole, so a trail byte
// that equals "\" is not taken for a separator.
std::string FolderOfPath(std::string_view path, LeadByteTest isLeadByte);

}  // namespace dz
