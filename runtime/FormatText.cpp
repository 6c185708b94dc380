#include "runtime/FormatText.h"

#include <cctype>
#include <cstddef>

namespace dz {

namespace {

// Widths and precisions beyond this are taken as this: a typing slip in a
// pattern must not ask for gigabytes of padding.
constexpr std::size_t kMaxPad = 1024;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t ReadCount(const std::string& s, std::size_t& pos) {
  std::size_t n = 0;
  while (pos < s.size() && IsDigit(s[pos])) {
    n = n * 10 + static_cast<std::size_t>(s[pos] - '0');
    if (n > kMaxPad) n = kMaxPad;
    ++pos;
  }
  return n;
}

std::string Digits(std::uint32_t magnitude, unsigned base) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text;
  do {
    text.insert(text.begin(), kDigits[magnitude % base]);
    magnitude /= base;
  } while (magnitude != 0);
  return text;
}

}  // namespace

std::string FormatText(const std::string& pattern, std::initializer_list<std::int32_t> args) {
  std::string out;
  const std::int32_t* next = args.begin();
  std::size_t pos = 0;
  while (pos < pattern.size()) {
    const char c = pattern[pos];
    if (c != '%') {
      out += c;
      ++pos;
      continue;
    }
    const std::size_t start = pos++;
    if (pos < pattern.size() && pattern[pos] == '%') {
      out += '%';
      ++pos;
      continue;
    }
    const bool leftAlign = pos < pattern.size() && pattern[pos] == '-';
    if (leftAlign) ++pos;
    const std::size_t width = ReadCount(pattern, pos);
    std::size_t precision = 0;
    if (pos < pattern.size() && pattern[pos] == '.') {
      ++pos;
      precision = ReadCount(pattern, pos);
    }
    const char kind = pos < pattern.size()
                          ? static_cast<char>(std::tolower(static_cast<unsigned char>(pattern[pos])))
                          : '\0';
    if (kind != 'd' && kind != 'u' && kind != 'x') {
      out.append(pattern, start, pos - start);  // not ours: copied as it stands
      continue;
    }
    ++pos;
    if (next == args.end()) continue;  // missing argument: nothing written
    const std::int32_t value = *next++;
    std::string text;
    bool negative = false;
    if (kind == 'd') {
      negative = value < 0;
      const std::int64_t wide = value;
      text = Digits(static_cast<std::uint32_t>(negative ? -wide : wide), 10);
    } else {
      text = Digits(static_cast<std::uint32_t>(value), kind == 'x' ? 16 : 10);
    }
    if (text.size() < precision) text.insert(0, precision - text.size(), '0');
    if (negative) text.insert(0, 1, '-');
    if (text.size() < width) {
      if (leftAlign) {
        text.append(width - text.size(), ' ');
      } else {
        text.insert(0, width - text.size(), ' ');
      }
    }
    out += text;
  }
  return out;
}

}  // namespace dz
