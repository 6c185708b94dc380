#include "platform/win32/SoundLibrary.h"

#include <type_traits>

#include "platform/win32/SystemLibraries.h"

namespace dz::win32 {

template <class Visit>
void SoundLibrary::ForEach(Visit visit) noexcept {
  visit(mciSendCommandA, "mciSendCommandA");
  visit(mciGetErrorStringA, "mciGetErrorStringA");
  visit(waveOutOpen, "waveOutOpen");
  visit(waveOutPrepareHeader, "waveOutPrepareHeader");
  visit(waveOutWrite, "waveOutWrite");
  visit(waveOutUnprepareHeader, "waveOutUnprepareHeader");
  visit(waveOutReset, "waveOutReset");
  visit(waveOutClose, "waveOutClose");
}

SoundLibrary::SoundLibrary(const char* name) noexcept {
  const HMODULE library = LoadSystemLibrary(name);
  if (!library) return;
  bool complete = true;
  ForEach([&](auto& function, const char* functionName) {
    function = ExportedFunction<std::remove_reference_t<decltype(function)>>(library, functionName);
    complete = complete && function;
  });
  if (complete) return;
  ForEach([](auto& function, const char*) { function = nullptr; });
  FreeLibrary(library);
}

const SoundLibrary& SystemSoundLibrary() noexcept {
  static const SoundLibrary library("winmm.dll");
  return library;
}

}  // namespace dz::win32
