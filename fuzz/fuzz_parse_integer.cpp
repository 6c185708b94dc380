// ParseInteger on arbitrary bytes: it either gives a value or raises
// EConvertError, and a value written back in decimal parses to itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "runtime/Conversions.h"
#include "runtime/Exceptions.h"
#include "runtime/FormatText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::int32_t value = 0;
  try {
    value = dz::ParseInteger(text);
  } catch (const dz::EConvertError& e) {
    if (e.Message() != "'" + text + "' is not a valid integer value") std::abort();
    return 0;
  }
  if (text.empty()) std::abort();
  if (dz::ParseInteger(dz::FormatText("%d", {value})) != value) std::abort();
  if (dz::ParseInteger(" " + std::to_string(value)) != value) std::abort();
  if (dz::ParseInteger("$" + dz::FormatText("%x", {value})) != value) std::abort();
  return 0;
}
