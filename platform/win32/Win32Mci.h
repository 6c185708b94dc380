#pragma once
// MCI port over winmm: mciSendCommandA with the platform's record for each
// command, and mciGetErrorStringA.
#include "media/Mci.h"

namespace dz::win32 {

class Win32Mci final : public MciPort {
 public:
  std::uint32_t Send(std::uint16_t device, std::uint32_t command, std::uint32_t flags,
                     MciParams& params) override;
  bool ErrorString(std::uint32_t code, std::string& text) override;
};

}  // namespace dz::win32
