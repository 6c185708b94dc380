// The main window's safeguards: the timers, the alarm time and the player
// they watch, the ringing of a missed alarm, and the song's start.
#include "alarm/Unit1.h"
#include "media/WakeupSound.h"

namespace dz {

void TForm1::MakeSafeguards() {
  safeguards_ = std::make_unique<AlarmSafeguards>(
      AlarmSafeguards::Watched{*Timer2, *Timer4, *TimerSnooze, *ComboBoxH, *ComboBoxM,
                               *MediaPlayer1},
      [this] { RingAlarm(); }, &WakeupSoundWav);
}

void TForm1::PlaySong(SongCue cue) {
  safeguards_->PlaySong(cue, [this] { MediaPlayer1->Play(); });
}

void TForm1::PlaySongFromStart(SongCue cue) {
  safeguards_->PlaySong(cue, [this] {
    MediaPlayer1->Stop();
    MediaPlayer1->Rewind();
    MediaPlayer1->Play();
  });
}

}  // namespace dz
