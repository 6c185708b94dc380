// The alarm controller: switching the display off and keeping it off, the
// alarm check, the wake-up, snooze, song repeat and flashing. Every failure
// leaves the handler where it happens; what was done before stays done.
#include <cstdint>
#include <string>

#include "alarm/Unit1.h"
#include "runtime/Checked.h"
#include "runtime/Conversions.h"
#include "runtime/DateTime.h"
#include "runtime/Dispatch.h"
#include "runtime/Shell.h"

namespace dz {

namespace {

constexpr std::int32_t kMsPerMinute = 60000;
// The song's length is that of its first track.
constexpr std::int32_t kSongTrack = 1;
constexpr TColor kFlashWhite = clWhite;
constexpr TColor kFlashGrey = clGray;

// An alarm hour or minute text as the check wants it: a text longer than
// two characters becomes "0", a shorter one is padded with "0" in front.
void NormaliseTwoDigits(TComboBox& box) {
  if (box.Text().size() > 2) box.SetText("0");
}
void PadTwoDigits(TComboBox& box) {
  if (box.Text().size() < 2) box.SetText("0" + box.Text());
}

}  // namespace

void TForm1::SetRepeatInterval() {
  const std::int32_t minutes = ParseInteger(EditRepeatMin->Text());
  const std::int32_t total =
      CheckedAdd(CheckedMul(minutes, kMsPerMinute), MediaPlayer1->TrackLength(kSongTrack));
  Timer4->SetInterval(ToUInt32Range(total));
}

void TForm1::ButtonOffClick(TObject*) {
  if (!ChkPlay->Checked()) {
    ShowNotice("No alarm will sound with the \" Sound Alarm\" chechbox unticked");
  }
  // The length comes from the file open now, before it is opened again.
  SetRepeatInterval();
  if (ChkPlay->Checked()) {
    if (!IsExistingFile(MediaPlayer1->FileName())) {
      ShowNotice("No sound file selected!  Open a music file and try again.");
      return;
    }
    MediaPlayer1->Open();
    MediaPlayer1->Stop();
    MediaPlayer1->Rewind();
  }
  ScreenOff = true;
  Timer1->SetEnabled(true);
  Timer2->SetEnabled(true);
  TimerSnooze->SetEnabled(false);
  SnoozeOnKey = true;
  MediaPlayer1->Rewind();
}

// Every 10 ms for the whole run: one flag test, and in the dark one request.
void TForm1::Timer1Timer() {
  if (ScreenOff) SetDisplayPower(false);
}

void TForm1::FormMouseMove(TObject*, TShiftState, int, int) {
  if (!ScreenOff) return;
  ScreenOff = false;
  Timer1->SetEnabled(false);
  SetDisplayPower(true);
  WakeDisplay();
}

void TForm1::FormDblClick(TObject* Sender) {
  const bool dark = ScreenOff;
  FormMouseMove(Sender, 0, 0, 0);
  // A display that its own timeout switched off comes on for the alarm too.
  if (!dark) WakeDisplay();
  SetWindowState(wsMaximized);
}

void TForm1::Timer2Timer() { Alarm(); }

void TForm1::Alarm() {
  NormaliseTwoDigits(*ComboBoxH);
  NormaliseTwoDigits(*ComboBoxM);
  PadTwoDigits(*ComboBoxH);
  PadTwoDigits(*ComboBoxM);
  // Hour and minute come from one reading of the clock: two readings that
  // straddle the turn of an hour would give the old hour with the new
  // minute (07:00 at 08:00).
  const std::string now = FormatTimestamp("hh:nn", CurrentDateTime());
  const std::int32_t hourNow = ParseInteger(now.substr(0, 2));
  const std::int32_t alarmHour = ParseInteger(ComboBoxH->Text());
  const std::int32_t minuteNow = ParseInteger(now.substr(3, 2));
  const std::int32_t alarmMinute = ParseInteger(ComboBoxM->Text());
  if (CheckedSub(alarmHour, hourNow) != 0 || CheckedSub(alarmMinute, minuteNow) != 0) return;
  RingAlarm();
}

void TForm1::RingAlarm() {
  btnSnooze->SetFocus();
  SnoozeOnKey = true;
  Timer2->SetEnabled(false);  // the alarm fires once; switching off arms it again
  FormDblClick(this);
  if (ChkPlay->Checked()) PlaySong(SongCue::Alarm);
  if (ChkRepeat->Checked()) Timer4->SetEnabled(true);
  if (ChkFlash->Checked()) Timerflash->SetEnabled(true);
}

void TForm1::Timer4Timer() {
  if (!ChkPlay->Checked() || !ChkRepeat->Checked()) return;
  SnoozeOnKey = true;
  // A repeat that cannot play reports nothing (the wake-up sound stands in):
  // it comes again at the next tick.
  try {
    PlaySongFromStart(SongCue::Repeat);
  } catch (const Exception&) {
  }
}

void TForm1::BtnSnoozeClick(TObject*) {
  SilenceWakeupSound();
  Timer4->SetEnabled(false);
  if (!ChkRepeat->Checked()) {
    ChkRepeat->SetChecked(true);
    SnoozeRepeatMark = "ja";
  }
  MediaPlayer1->Stop();
  Timerflash->SetEnabled(false);  // the background keeps its colour of the moment
  MediaPlayer1->Rewind();
  const std::int32_t snooze = CheckedMul(ParseInteger(EditSnooze->Text()), kMsPerMinute);
  // Unchanged minutes leave a running snooze alone: a second Snooze does not
  // prolong it.
  TimerSnooze->SetInterval(ToUInt32Range(snooze));
  TimerSnooze->SetEnabled(true);
  SnoozeOnKey = false;
}

void TForm1::FormKeyPress(TObject* Sender, char&) {
  if (SnoozeOnKey) BtnSnoozeClick(Sender);
}

void TForm1::TimerSnoozeTimer() {
  Timer4->SetEnabled(true);
  // The end of a snooze plays whatever Sound Alarm says.
  PlaySongFromStart(SongCue::SnoozeEnd);
  if (SnoozeRepeatMark == "ja") ChkRepeat->SetChecked(false);
  SnoozeRepeatMark = "nee";
  TimerSnooze->SetEnabled(false);
}

void TForm1::TimerflashTimer() { SetColor(Color() == kFlashWhite ? kFlashGrey : kFlashWhite); }

void TForm1::MediaPlayer1Click(TObject*, TMPBtnType Button, bool&) {
  if (Button != btStop) return;
  MediaPlayer1->Rewind();
  SnoozeOnKey = false;
}

void TForm1::EditRepeatMinChange(TObject*) { SetRepeatInterval(); }

void TForm1::ChkRepeatClick(TObject*) { RepeatOffBtn->SetEnabled(ChkRepeat->Checked()); }

void TForm1::RepeatOffBtnClick(TObject*) {
  ChkRepeat->SetChecked(false);
  RepeatOffBtn->SetEnabled(false);
}

void TForm1::SpeedButton1Click(TObject*) {
  // A cancelled dialog changes nothing: taking its file name then would
  // replace the sound in use with the dialog's, which is empty before a
  // song was ever chosen, and the empty name would be saved at exit.
  if (!OpenDialog1->Execute()) return;
  MediaPlayer1->SetFileName(OpenDialog1->FileName());
  if (IsExistingFile(MediaPlayer1->FileName())) MediaPlayer1->Open();
}

void TForm1::BtnVolumeClick(TObject*) { LaunchVolumeControl(); }

void TForm1::LblURLClick(TObject*) { OpenWebSite(); }

}  // namespace dz
