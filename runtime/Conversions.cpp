#include "runtime/Conversions.h"

#include <cstddef>
#include <optional>
#include <string_view>

#include "runtime/Exceptions.h"
#include "runtime/LocaleFormats.h"

namespace dz {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::optional<std::int32_t> TryParseInteger(const std::string& s) {
  if (s.empty()) return std::nullopt;
  std::size_t pos = 0;
  while (pos < s.size() && s[pos] == ' ') ++pos;
  auto at = [&](std::size_t i) { return i < s.size() ? s[i] : '\0'; };

  bool negative = false;
  bool hex = false;
  const char first = at(pos);
  if (first == '-' || first == '+') {
    negative = first == '-';
    ++pos;
  } else if (first == '$' || first == 'x' || first == 'X') {
    hex = true;
    ++pos;
  } else if (first == '0' && (at(pos + 1) == 'x' || at(pos + 1) == 'X')) {
    hex = true;
    pos += 2;
  }
  if (pos >= s.size()) return std::nullopt;  // at least one digit

  std::uint32_t value = 0;
  if (hex) {
    for (; pos < s.size(); ++pos) {
      const int digit = HexValue(s[pos]);
      if (digit < 0 || value > 0x0FFFFFFFu) return std::nullopt;
      value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return static_cast<std::int32_t>(value);  // the bit pattern, as signed
  }
  for (; pos < s.size(); ++pos) {
    if (!IsDigit(s[pos]) || value > 214748364u) return std::nullopt;
    value = value * 10 + static_cast<std::uint32_t>(s[pos] - '0');
  }
  if (!negative) {
    if (value > 2147483647u) return std::nullopt;
    return static_cast<std::int32_t>(value);
  }
  if (value > 2147483648u) return std::nullopt;
  return static_cast<std::int32_t>(-static_cast<std::int64_t>(value));
}

// The reading state of ParseTime; every look at the text is bounds-checked,
// so texts that end right after a separator or marker simply fail.
class TimeReader {
 public:
  TimeReader(const std::string& text, const LocaleFormats& formats)
      : s_(text), formats_(formats) {}

  std::optional<Timestamp> Parse() {
    SkipBlanks();
    std::optional<int> base = Marker();
    if (base) SkipBlanks();

    int hour = 0, minute = 0, second = 0, ms = 0;
    if (!Number(hour)) return std::nullopt;
    SkipBlanks();
    if (!Take(formats_.timeSeparator) || !Number(minute)) return std::nullopt;
    SkipBlanks();
    if (Take(formats_.timeSeparator)) {
      if (!Number(second)) return std::nullopt;
      SkipBlanks();
      if (Take(formats_.decimalSeparator) && !Number(ms)) return std::nullopt;
    }
    if (!base) {
      SkipBlanks();
      base = Marker();
    }
    if (base) {
      if (hour < 1 || hour > 12) return std::nullopt;
      if (hour == 12) hour = 0;
      hour += *base;
    }
    SkipBlanks();
    if (hour >= 24 || minute >= 60 || second >= 60 || ms >= 1000) return std::nullopt;
    if (pos_ != s_.size()) return std::nullopt;
    const std::int64_t total = std::int64_t{hour} * 3600000 + std::int64_t{minute} * 60000 +
                               std::int64_t{second} * 1000 + ms;
    return static_cast<double>(total) / static_cast<double>(kMsPerDay);
  }

 private:
  void SkipBlanks() {
    while (pos_ < s_.size() && s_[pos_] == ' ') ++pos_;
  }

  bool Take(char c) {
    if (pos_ < s_.size() && s_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }

  // Case-blind match of a marker at the position, by the locale's letters;
  // an empty one never matches.
  bool Matches(const std::string& marker) const {
    if (marker.empty() || s_.size() - pos_ < marker.size()) return false;
    return formats_.sameTextIgnoringCase(std::string_view(s_).substr(pos_, marker.size()), marker);
  }

  // The AM/PM marker at the position: its base hour, consumed.
  std::optional<int> Marker() {
    for (const std::string* m : {&formats_.amString, &kAm}) {
      if (Matches(*m)) {
        pos_ += m->size();
        return 0;
      }
    }
    for (const std::string* m : {&formats_.pmString, &kPm}) {
      if (Matches(*m)) {
        pos_ += m->size();
        return 12;
      }
    }
    return std::nullopt;
  }

  // Up to four digits count: reading stops once the value reaches 1000.
  bool Number(int& value) {
    SkipBlanks();
    value = 0;
    const std::size_t start = pos_;
    while (pos_ < s_.size() && IsDigit(s_[pos_]) && value < 1000) {
      value = value * 10 + (s_[pos_] - '0');
      ++pos_;
    }
    return pos_ != start;
  }

  inline static const std::string kAm = "AM";
  inline static const std::string kPm = "PM";

  const std::string& s_;
  const LocaleFormats& formats_;
  std::size_t pos_ = 0;
};

}  // namespace

std::int32_t ParseInteger(const std::string& text) {
  if (std::optional<std::int32_t> value = TryParseInteger(text)) return *value;
  throw EConvertError("'" + text + "' is not a valid integer value");
}

Timestamp ParseTime(const std::string& text) {
  if (std::optional<Timestamp> value = TimeReader(text, FormatSettings()).Parse()) return *value;
  throw EConvertError("'" + text + "' is not a valid time");
}

}  // namespace dz
