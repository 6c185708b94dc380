#include "SoundSupport.h"

#include <cstdlib>

namespace dz::sound {

bool PumpUntil(const std::function<bool()>& done, DWORD ms) {
  const ULONGLONG deadline = GetTickCount64() + ms;
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (done()) return true;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now > 50 ? 50 : deadline - now),
                              QS_ALLINPUT);
  }
}

std::string SoundFile(const std::string& name) {
  const char* dir = std::getenv("DZ_SOUND_DIR");
  std::string path = std::string("Z:") + (dir ? dir : "/tmp") + "/" + name;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

}  // namespace dz::sound
