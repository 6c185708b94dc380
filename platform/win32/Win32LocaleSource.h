#pragma once
// Locale source port on Win32: the regional settings through GetLocaleInfoA.
#include <windows.h>

#include "runtime/LocaleFormats.h"

namespace dz::win32 {

class Win32LocaleSource final : public LocaleSource {
 public:
  explicit Win32LocaleSource(LCID locale) : locale_(locale) {}
  std::optional<std::string> Get(LocaleItem item, int index) override;
  CaseBlindEquality TextComparison() override;

 private:
  LCID locale_;
};

// At start: the formats of the current thread's locale.
void LoadStartupLocaleFormats();

// On every settings-change broadcast (the application window's
// onSettingChange): the user's current regional settings.
void ReloadLocaleFormats();

}  // namespace dz::win32
