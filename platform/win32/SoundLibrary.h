#pragma once
// Windows' sound library, winmm.dll, taken at run time from the system
// folder. The program does not import it: winmm is not among the libraries
// Windows always takes from its own folder, so an import would let the
// loader take a winmm.dll lying beside the program before any of our code
// runs.
#include <windows.h>
#include <mmsystem.h>

#include <cstdint>

namespace dz::win32 {

// The functions the program uses, under their own names. A library that
// lacks any of them is not used at all: every one is null then. A loaded
// library stays for the whole run, since open devices and streams live in
// it.
struct SoundLibrary {
  explicit SoundLibrary(const char* name) noexcept;
  SoundLibrary(const SoundLibrary&) = delete;
  SoundLibrary& operator=(const SoundLibrary&) = delete;

  bool Usable() const noexcept { return mciSendCommandA != nullptr; }

  decltype(&::mciSendCommandA) mciSendCommandA = nullptr;
  decltype(&::mciGetErrorStringA) mciGetErrorStringA = nullptr;
  decltype(&::waveOutOpen) waveOutOpen = nullptr;
  decltype(&::waveOutPrepareHeader) waveOutPrepareHeader = nullptr;
  decltype(&::waveOutWrite) waveOutWrite = nullptr;
  decltype(&::waveOutUnprepareHeader) waveOutUnprepareHeader = nullptr;
  decltype(&::waveOutReset) waveOutReset = nullptr;
  decltype(&::waveOutClose) waveOutClose = nullptr;

 private:
  // Calls visit(function, its name) for each of the functions above.
  template <class Visit>
  void ForEach(Visit visit) noexcept;
};

// winmm.dll from the system folder, loaded on first use from whichever
// thread comes first.
const SoundLibrary& SystemSoundLibrary() noexcept;

// What an MCI request answers when there is no usable sound library: the
// driver could not be loaded. Its text is our own, as the library's text
// function is missing too.
inline constexpr std::uint32_t kNoSoundLibraryError = MCIERR_CANNOT_LOAD_DRIVER;
inline constexpr const char* kNoSoundLibraryText =
    "Windows' sound library (winmm.dll) could not be loaded from the system folder.";

}  // namespace dz::win32
