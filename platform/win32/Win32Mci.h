#pragma once
// MCI port over winmm: mciSendCommandA with the platform's record for each
// command, and mciGetErrorStringA.
#include "media/Mci.h"
#include "platform/win32/SoundLibrary.h"

namespace dz::win32 {

class Win32Mci final : public MciPort {
 public:
  // The system's winmm, loaded on the first request.
  Win32Mci() noexcept = default;
  explicit Win32Mci(const SoundLibrary& library) noexcept : library_(&library) {}

  std::uint32_t Send(std::uint16_t device, std::uint32_t command, std::uint32_t flags,
                     MciParams& params) override;
  bool ErrorString(std::uint32_t code, std::string& text) override;

 private:
  const SoundLibrary& Library() const noexcept { return library_ ? *library_ : SystemSoundLibrary(); }

  const SoundLibrary* library_ = nullptr;
};

}  // namespace dz::win32
