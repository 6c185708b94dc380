#pragma once
// Conversion of control texts to numbers and times of day. A text that does
// not convert raises EConvertError naming the whole text.
#include <cstdint>
#include <string>

#include "runtime/DateTime.h"

namespace dz {

// Decimal with an optional sign, or hexadecimal after "$", "x" or "0x"
// (no sign then; the 32-bit pattern is taken as signed, so $FFFFFFFF is -1).
// Leading spaces are allowed, nothing may follow the digits.
std::int32_t ParseInteger(const std::string& text);

// A time of day "h:m", "h:m:s" or "h:m:s.ms" in the locale's time and
// decimal separators, with an AM/PM marker before or after it and spaces
// around each part. Gives the fraction of the day, in [0, 1).
Timestamp ParseTime(const std::string& text);

}  // namespace dz
