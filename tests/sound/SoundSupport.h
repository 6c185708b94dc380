#pragma once
// Helpers of the sound tests: a message pump with a deadline, and the test
// files' Windows paths.
#include <windows.h>

#include <functional>
#include <string>

namespace dz::sound {

// Dispatches this thread's messages until `done` holds or `ms` pass;
// returns whether `done` held.
bool PumpUntil(const std::function<bool()>& done, DWORD ms);

// The Windows path of a file in the folder named by DZ_SOUND_DIR.
std::string SoundFile(const std::string& name);

}  // namespace dz::sound
