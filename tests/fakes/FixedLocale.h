#pragma once
// Locale test doubles: a source with fixed answers, and a scope that puts a
// record in force for the whole process and restores the previous one.
#include <map>
#include <optional>
#include <string>
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
