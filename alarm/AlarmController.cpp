// The alarm controller: switching the display off and keeping it off, the
// alarm check, the wake-up, snooze, song repeat and flashing. Every failure
// leaves the handler where it happens; what was done before stays done.
#include <cstdint>
#include <string>
#include <utility>

#include "alarm/AlarmTime.h"
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

// An alarm hour or minute box as the check wants it (the padded text stays
// in the box).
void NormaliseAlarmField(TComboBox& box) { box.SetText(AlarmFieldText(box.Text())); }

// A pause in typing the alarm time longer than this ends the typing.
constexpr std::int64_t kTypingPauseMs = 3000;

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
  // A song that cannot play leaves the display on with its report, but the
  // alarm check armed: the alarm then rings with the wake-up sound rather
  // than not at all.
  try {
    // The length comes from the file open now, before it is opened again.
    SetRepeatInterval();
    if (ChkPlay->Checked()) {
      if (!IsExistingFile(MediaPlayer1->FileName())) {
        Timer2->SetEnabled(true);
        ShowNotice("No sound file selected!  Open a music file and try again.");
        return;
      }
      MediaPlayer1->Open();
      MediaPlayer1->Stop();
      MediaPlayer1->Rewind();
    }
  } catch (const EMCIDeviceError&) {
    Timer2->SetEnabled(true);
    throw;
  }
  ScreenOff = true;
  Timer1->SetEnabled(true);
  Timer2->SetEnabled(true);
  // A running snooze goes on: darkening the screen must not cancel it.
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

void TForm1::AlarmTimeEdited() {
  alarmTypedAtMs_ = TimestampMs(CurrentDateTime());
  // A minute that went by before it was typed was never missed: the check
  // looks back for a late ring no further than the typing.
  if (lastCheckMs_) lastCheckMs_ = alarmTypedAtMs_;
}

bool TForm1::TypingAlarmTime(std::int64_t nowMs) const {
  if (!alarmTypedAtMs_) return false;
  const std::int64_t since = nowMs - *alarmTypedAtMs_;
  return since >= 0 && since < kTypingPauseMs;
}

void TForm1::Alarm() {
  // Hour and minute come from one reading of the clock: two readings that
  // straddle the turn of an hour would give the old hour with the new
  // minute (07:00 at 08:00).
  const Timestamp now = CurrentDateTime();
  const std::int64_t nowMs = TimestampMs(now);
  // Padding a box while the user types in it would turn "1" then "7" into
  // "01" (the "7" no longer fits): the check waits for its next run.
  if (TypingAlarmTime(nowMs)) return;
  NormaliseAlarmField(*ComboBoxH);
  NormaliseAlarmField(*ComboBoxM);
  const std::string clock = FormatTimestamp("hh:nn", now);
  const std::optional<std::int64_t> previous = std::exchange(lastCheckMs_, nowMs);
  const std::int32_t hourNow = ParseInteger(clock.substr(0, 2));
  const std::int32_t minuteNow = ParseInteger(clock.substr(3, 2));
  const AlarmTime alarm = ReadAlarmTime(ComboBoxH->Text(), ComboBoxM->Text());
  if (CheckedSub(alarm.hour, hourNow) == 0 && CheckedSub(alarm.minute, minuteNow) == 0) {
    RingAlarm();
    return;
  }
  // A sleep without a power report, or the clock set forward, can take the
  // whole alarm minute between two checks: it rings late rather than never.
  const std::optional<std::int64_t> minute = AlarmMinuteOfDay(ComboBoxH->Text(), ComboBoxM->Text());
  if (previous && minute && LastAlarmStart(nowMs - kMsPerMinute, *minute) > *previous) RingAlarm();
}

void TForm1::RingAlarm() {
  btnSnooze->SetFocus();
  SnoozeOnKey = true;
  Timer2->SetEnabled(false);  // the alarm fires once; switching off arms it again
  lastCheckMs_.reset();       // a check armed again looks back no further than that
  FormDblClick(this);
  // From the start: the song may have been tried on the bar and left at its end.
  if (ChkPlay->Checked()) PlaySongFromStart(SongCue::Alarm);
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
  // Without an open song there is nothing to stop, and nothing to report:
  // the alarm told of it when it rang. The snooze starts all the same.
  const bool songOpen = MediaPlayer1->IsOpen();
  if (songOpen) MediaPlayer1->Stop();
  Timerflash->SetEnabled(false);  // the background keeps its colour of the moment
  if (songOpen) MediaPlayer1->Rewind();
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
  // The end of a snooze plays whatever Sound Alarm says. One that cannot
  // play (the wake-up sound stands in) still ends the snooze: left running,
  // it would bring its report back every snooze interval and keep the
  // system awake for good.
  try {
    PlaySongFromStart(SongCue::SnoozeEnd);
  } catch (...) {
    TimerSnooze->SetEnabled(false);
    throw;
  }
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
