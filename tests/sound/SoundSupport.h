#pragma once
// Helpers of the sound tests: a message pump with a deadline, the test
// files' Windows paths, and a hidden form holding the media player control.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "media/MediaPlayer.h"
#include "ui/Forms.h"

namespace dz::sound {

// Dispatches this thread's messages until `done` holds or `ms` pass;
// returns whether `done` held.
bool PumpUntil(const std::function<bool()>& done, DWORD ms);

// The Windows path of a file in the folder named by DZ_SOUND_DIR.
std::string SoundFile(const std::string& name);

// A hidden top-level form with the media player control on it, so the
// player runs in the very window the program gives it. Needs the Win32
// peer factory in the current platform, which makes the windows at once.
class PlayerForm {
 public:
  PlayerForm();
  ~PlayerForm();
  PlayerForm(const PlayerForm&) = delete;
  PlayerForm& operator=(const PlayerForm&) = delete;

  TMediaPlayer& Player() { return *player_; }
  // The player's own window.
  HWND PlayerWindow() const;

 private:
  std::unique_ptr<TForm> form_;
  TMediaPlayer* player_;
};

// Shows the player's bar set up as in the program, opens `file`, clicks
// Play and later Stop, and checks the faces on the screen; saves what it
// saw as bar-*.bmp in the folder `shots`. Returns the exit code.
int RunBarProbe(const std::string& file, const std::string& shots);

}  // namespace dz::sound
