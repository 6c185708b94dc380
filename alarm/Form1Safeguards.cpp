// The main window's safeguards: the timers, the alarm time and the player
// they watch, the ringing of a missed alarm, and the song's start.
#include "alarm/Unit1.h"
#include "media/WakeupSound.h"

namespace dz {

void TForm1::MakeSafeguards() {
  safeguards_ = std::make_unique<AlarmSafeguards>(
      AlarmSafeguards::Watched{*Timer2, *Timer4, *TimerSnooze, *ComboBoxH, *ComboBoxM,
                               *MediaPlayer1, *ChkPlay},
      [this] { RingAlarm(); }, &WakeupSoundWav);
}

// The safeguards go before the timers and controls when the form is
// destroyed; a handler that still ran then would play without them.
void TForm1::PlaySongFromStart(SongCue cue) {
  const auto play = [this] {
    MediaPlayer1->Stop();
    MediaPlayer1->Rewind();
    MediaPlayer1->Play();
  };
  safeguards_ ? safeguards_->PlaySong(cue, play) : play();
}

void TForm1::SilenceWakeupSound() {
  if (safeguards_) safeguards_->Silence();
}

void TForm1::WakeDisplay() {
  if (safeguards_) safeguards_->WakeDisplay();
}

void TForm1::AlarmTimeChanged() {
  if (safeguards_) safeguards_->AlarmTimeChanged();
}

void TForm1::PlayerButtonPressed(TMPBtnType button) {
  if (safeguards_) safeguards_->PlayerButtonPressed(button);
}

void TForm1::PlayerNotified() {
  if (safeguards_) safeguards_->PlayerNotified();
}

}  // namespace dz
