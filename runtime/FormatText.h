#pragma once
// Percent patterns for integers: "%d", "%.2d" (at least two digits, zero
// padded), "%5d", "%-5d", "%u", "%x", "%%". A directive without its argument
// writes nothing; an unknown directive is copied as it stands.
#include <cstdint>
#include <initializer_list>
#include <string>

namespace dz {

std::string FormatText(const std::string& pattern, std::initializer_list<std::int32_t> args);

}  // namespace dz
