#pragma once
// Locale test doubles: a source with fixed answers, and a scope that puts a
// record in force for the whole process and restores the previous one.
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "runtime/LocaleFormats.h"

namespace dz {

// Answers what the test put in; everything else is missing.
class FixedLocale final : public LocaleSource {
 public:
  FixedLocale& With(LocaleItem item, std::string value, int index = 0) {
    values_[{item, index}] = std::move(value);
    return *this;
  }

  std::optional<std::string> Get(LocaleItem item, int index) override {
    ++requests;
    auto it = values_.find({item, index});
    if (it == values_.end()) return std::nullopt;
    return it->second;
  }

  // The letters of the Western European code page: ASCII, and 0xC0 to 0xDE
  // (but the multiplication sign) with their small forms 0x20 higher.
  CaseBlindEquality TextComparison() override {
    return [](std::string_view a, std::string_view b) {
      const auto fold = [](char c) {
        const auto u = static_cast<unsigned char>(c);
        const bool capital = (u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7);
        return capital ? static_cast<unsigned char>(u + 0x20) : u;
      };
      if (a.size() != b.size()) return false;
      for (std::size_t i = 0; i < a.size(); ++i) {
        if (fold(a[i]) != fold(b[i])) return false;
      }
      return true;
    };
  }

  int requests = 0;

 private:
  std::map<std::pair<LocaleItem, int>, std::string> values_;
};

class ScopedLocaleFormats {
 public:
  explicit ScopedLocaleFormats(LocaleFormats formats) : saved_(FormatSettings()) {
    FormatSettings() = std::move(formats);
  }
  // The defaults with other separators, the usual change in a test.
  ScopedLocaleFormats(char timeSeparator, char decimalSeparator) : saved_(FormatSettings()) {
    LocaleFormats formats;
    formats.timeSeparator = timeSeparator;
    formats.decimalSeparator = decimalSeparator;
    FormatSettings() = formats;
  }
  ~ScopedLocaleFormats() { FormatSettings() = saved_; }
  ScopedLocaleFormats(const ScopedLocaleFormats&) = delete;
  ScopedLocaleFormats& operator=(const ScopedLocaleFormats&) = delete;

 private:
  LocaleFormats saved_;
};

}  // namespace dz
