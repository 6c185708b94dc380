// ParseTime on arbitrary bytes, under one of several locales chosen by the
// first byte: it either gives a time of day in [0, 1) or raises
// EConvertError, and the time written back in the same locale parses to
// exactly the same value.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "runtime/Conversions.h"
#include "runtime/DateTime.h"
#include "runtime/Exceptions.h"
#include "runtime/FormatText.h"
#include "runtime/LocaleFormats.h"

namespace {

dz::LocaleFormats Locale(std::uint8_t choice) {
  dz::LocaleFormats f;
  switch (choice % 4) {
    case 1:
      f.timeSeparator = '.';
      f.decimalSeparator = ',';
      f.amString = "";
      f.pmString = "";
      break;
    case 2:
      f.timeSeparator = '.';
      f.decimalSeparator = '.';
      f.amString = "vorm.";
      f.pmString = "nachm.";
      break;
    case 3:
      f.amString = "A";
      f.pmString = "P";
      break;
    default:
      break;
  }
  return f;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  dz::FormatSettings() = Locale(data[0]);
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  double t = 0;
  try {
    t = dz::ParseTime(text);
  } catch (const dz::EConvertError& e) {
    if (e.Message() != "'" + text + "' is not a valid time") std::abort();
    return 0;
  }
  if (!(t >= 0.0 && t < 1.0)) std::abort();
  std::uint16_t h = 0, m = 0, s = 0, ms = 0;
  dz::DecodeTimeOfDay(t, h, m, s, ms);
  const dz::LocaleFormats& f = dz::FormatSettings();
  const std::string again = dz::FormatText("%d", {h}) + f.timeSeparator + dz::FormatText("%d", {m}) +
                            f.timeSeparator + dz::FormatText("%d", {s}) + f.decimalSeparator +
                            dz::FormatText("%d", {ms});
  if (dz::ParseTime(again) != t) std::abort();
  if (dz::ParseTime(dz::FormatTimestamp("hh:nn", t)) != dz::EncodeTime(h, m, 0, 0)) std::abort();
  return 0;
}
