#pragma once
// Checked integer arithmetic for the handlers: a 32-bit signed result out of
// range raises EIntOverflow, a value stored where it does not fit raises
// ERangeError.
#include <cstdint>
#include <limits>

#include "runtime/Exceptions.h"

namespace dz {

namespace detail {
inline std::int32_t Narrow(std::int64_t v) {
  if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max()) {
    throw EIntOverflow();
  }
  return static_cast<std::int32_t>(v);
}
}  // namespace detail

inline std::int32_t CheckedAdd(std::int32_t a, std::int32_t b) {
  return detail::Narrow(std::int64_t{a} + b);
}
inline std::int32_t CheckedSub(std::int32_t a, std::int32_t b) {
  return detail::Narrow(std::int64_t{a} - b);
}
inline std::int32_t CheckedMul(std::int32_t a, std::int32_t b) {
  return detail::Narrow(std::int64_t{a} * b);
}

// A value stored into an unsigned 32-bit destination such as a timer
// interval: negative (or too large) raises ERangeError.
inline std::uint32_t ToUInt32Range(std::int64_t v) {
  if (v < 0 || v > std::numeric_limits<std::uint32_t>::max()) throw ERangeError();
  return static_cast<std::uint32_t>(v);
}

// A value stored into an unsigned 16-bit destination (the time parts).
inline std::uint16_t ToUInt16Range(std::int64_t v) {
  if (v < 0 || v > std::numeric_limits<std::uint16_t>::max()) throw ERangeError();
  return static_cast<std::uint16_t>(v);
}

// Unsigned 16-bit subtraction; a result below zero raises ERangeError.
inline std::uint16_t CheckedSubU16(std::uint16_t a, std::uint16_t b) {
  return ToUInt16Range(std::int64_t{a} - b);
}

// Unsigned 16-bit addition; a result above 65535 raises ERangeError.
inline std::uint16_t CheckedAddU16(std::uint16_t a, std::uint16_t b) {
  return ToUInt16Range(std::int64_t{a} + b);
}

}  // namespace dz
