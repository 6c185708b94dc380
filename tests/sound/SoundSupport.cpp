#include "SoundSupport.h"

#include <cstdlib>

#include "platform/win32/Win32Application.h"

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

// The windows are made as when the program shows its form (this one stays
// hidden): the player's is where MCI sends its notices.
PlayerForm::PlayerForm()
    : form_(std::make_unique<TForm>(nullptr)), player_(new TMediaPlayer(form_.get())) {
  player_->SetName("MediaPlayer1");
  player_->SetParent(form_.get());
  form_->CreatePeers();
}

PlayerForm::~PlayerForm() {
  form_.reset();
  // A main form that goes without a close ends the loop; these tests have
  // no loop to end.
  win32::Application::Instance().ResetForTesting();
}

HWND PlayerForm::PlayerWindow() const {
  return player_->Peer() ? reinterpret_cast<HWND>(player_->Peer()->NativeHandle()) : nullptr;
}

}  // namespace dz::sound
