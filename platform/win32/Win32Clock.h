#pragma once
// Clock port on Win32: the local time from GetLocalTime.
#include "runtime/Clock.h"

namespace dz::win32 {

class Win32Clock final : public Clock {
 public:
  LocalTime Now() override;
};

}  // namespace dz::win32
