// The alarm's safeguards in the main window through the phases of a night:
// the system kept awake, the wake timer, a sleep over the alarm minute, the
// wake-up sound when the song cannot play, a muted output, and the display
// brought on.
#include "fakes/FakeSafeguardPorts.h"
#include "native/AlarmFixture.h"

namespace dz {
namespace {

using Strings = std::vector<std::string>;

class AlarmSafeguards : protected FakeSafeguards, public AlarmFixture {
 protected:
  ~AlarmSafeguards() override { form.reset(); }  // before the ports below

  // The safeguards' ports, faked as well.
  void AddPorts(Platform& platform) override { InstallIn(platform); }
  void StartGuarded(int hour, int minute, int second = 0) { Start(hour, minute, second); }
  // The settings naming a song that is not there: nothing is open.
  void SettingsWithMissingSong() {
    Settings(folder.File("gone.mp3") + "\r\n06\r\n50\r\n2\r\n5\r\n");
  }
  std::string WakeTime() const {
    if (!wakeTimer.setFor) return "none";
    const LocalTime& t = *wakeTimer.setFor;
    return std::to_string(t.day) + "." + std::to_string(t.month) + " " + std::to_string(t.hour) +
           ":" + std::to_string(t.minute) + ":" + std::to_string(t.second);
  }
  // The system sleeps for `ms`: the clock moves on, no timer ticks.
  void Sleep(std::int64_t ms) {
    power.Raise(PowerChange::Suspending);
    clock->offsetMs += ms;
    power.Raise(PowerChange::Resumed);
    power.Raise(PowerChange::Resumed);  // the same resume, told twice
    scheduler.RunFor(50);               // the message loop runs on
  }
};

// --- staying awake -------------------------------------------------------------

TEST_F(AlarmSafeguards, TheSystemStaysAwakeWhileTheCheckRepeatOrSnoozeRunsAndNoLonger) {
  SettingsWithSong("06", "50");
  StartGuarded(23, 10);
  Click(*form->ButtonOff);
  EXPECT_TRUE(awake.systemRequired);  // the alarm check
  PassUntil(6, 50, 10);
  EXPECT_TRUE(awake.systemRequired);  // the repeat
  Key();
  EXPECT_TRUE(awake.systemRequired);  // the snooze
  PassMinutes(10);
  EXPECT_TRUE(awake.systemRequired);  // the repeat after it, which has played
  Type(*form->EditSnooze, "0");       // a snooze that never ends runs no timer
  Key();
  EXPECT_FALSE(awake.systemRequired);
  Click(*form->ButtonOff);
  EXPECT_TRUE(awake.systemRequired);
  form.reset();
  EXPECT_FALSE(awake.systemRequired);
}

// --- the wake timer --------------------------------------------------------------

TEST_F(AlarmSafeguards, TheWakeTimerIsAtTheNextAlarmMinuteAsTheCheckReadsTheTexts) {
  SettingsWithSong("06", "50");
  StartGuarded(23, 10);
  EXPECT_EQ(WakeTime(), "8.12 6:50:0");
  Type(*form->ComboBoxH, "7");
  EXPECT_EQ(WakeTime(), "8.12 7:50:0");
  Type(*form->ComboBoxM, "");  // on the way to another minute: 07:00
  EXPECT_EQ(WakeTime(), "8.12 7:0:0");
  form->ComboBoxH->SetText("123");  // from the settings file: counts as 00
  EXPECT_EQ(WakeTime(), "8.12 0:0:0");
  for (const char* bad : {"24", "x", "-1"}) {
    Type(*form->ComboBoxH, bad);
    EXPECT_EQ(WakeTime(), "none") << bad;
  }
  Type(*form->ComboBoxH, "6");
  Type(*form->ComboBoxM, "60");  // no such minute: the check never matches it
  EXPECT_EQ(WakeTime(), "none");
  Type(*form->ComboBoxH, "23");
  Type(*form->ComboBoxM, "10");  // the minute now: tomorrow's
  EXPECT_EQ(WakeTime(), "8.12 23:10:0");
  Type(*form->ComboBoxM, "30");  // still to come tonight
  EXPECT_EQ(WakeTime(), "7.12 23:30:0");
  PassUntil(23, 30, 10);  // it rang: no check, no wake timer
  EXPECT_EQ(WakeTime(), "none");
  Click(*form->ButtonOff);
  EXPECT_EQ(WakeTime(), "8.12 23:30:0");
}

TEST_F(AlarmSafeguards, AClockChangeOrAResumeSetsTheWakeTimerAgain) {
  SettingsWithSong("06", "50");
  StartGuarded(6, 40);
  EXPECT_EQ(WakeTime(), "7.12 6:50:0");
  // The same local time after a change of time zone is another moment: the
  // timer is set again.
  const int sets = wakeTimer.sets;
  power.Raise(PowerChange::TimeChanged);
  EXPECT_EQ(wakeTimer.sets, sets + 1);
  clock->offsetMs += 20 * 60000;  // the clock is set on to 07:00
  power.Raise(PowerChange::TimeChanged);
  EXPECT_EQ(WakeTime(), "8.12 6:50:0");
  Sleep(60000);
  EXPECT_GE(wakeTimer.sets, sets + 3);
  EXPECT_EQ(Plays(), 0);
}

TEST_F(AlarmSafeguards, ARefusedWakeTimerLeavesTheAlarmAsItWasAndIsAskedForAgain) {
  wakeTimer.refuse = true;
  SettingsWithSong("06", "50");
  StartGuarded(6, 45);
  EXPECT_TRUE(awake.systemRequired);
  wakeTimer.refuse = false;
  Type(*form->ComboBoxM, "55");
  EXPECT_EQ(WakeTime(), "7.12 6:55:0");
  PassUntil(6, 55, 10);
  EXPECT_EQ(Plays(), 1);
}

// --- a sleep over the alarm minute -------------------------------------------------

TEST_F(AlarmSafeguards, ASleepOverTheAlarmMinuteRingsOnceAtResumeAsTheCheckWould) {
  SettingsWithSong("06", "50");
  StartGuarded(23, 10);
  Click(*form->ButtonOff);
  Sleep(8 * 3600000);  // to 07:10
  EXPECT_EQ(Plays(), 1);
  EXPECT_EQ(PowerOns(), 1);
  EXPECT_EQ(display.wakes, 1);
  EXPECT_EQ(form->WindowState(), wsMaximized);
  EXPECT_EQ(form->ActiveControl(), form->btnSnooze);
  EXPECT_TRUE(form->Timer4->Enabled());
  EXPECT_TRUE(form->Timerflash->Enabled());
  Pass(30000);
  EXPECT_EQ(Plays(), 1);
  EXPECT_TRUE(Errors().empty());
}

TEST_F(AlarmSafeguards, AResumeRingsFromTheMessageLoopAndNotAfterTheCheckRang) {
  SettingsWithSong("06", "50");
  StartGuarded(23, 10);
  Tick(*form->ChkRepeat);  // each ring plays once
  Click(*form->ButtonOff);
  power.Raise(PowerChange::Suspending);
  clock->offsetMs += 8 * 3600000;
  power.Raise(PowerChange::Resumed);
  EXPECT_EQ(Plays(), 0);  // not inside the system's report
  Pass(1000);
  EXPECT_EQ(Plays(), 1);

  // Asleep from just before 07:15 to just after, with the check due before
  // the posted ring comes: the check rings, the posted ring does nothing.
  Type(*form->ComboBoxH, "07");
  Type(*form->ComboBoxM, "15");
  PassUntil(7, 14, 50);
  Click(*form->ButtonOff);  // checks at 07:15:00 and every 10 s
  Pass(9995);
  power.Raise(PowerChange::Suspending);
  clock->offsetMs += 1000;
  power.Raise(PowerChange::Resumed);
  scheduler.RunFor(50);
  EXPECT_EQ(Plays(), 2);
  PassMinutes(1);
  EXPECT_EQ(Plays(), 2);
}

TEST_F(AlarmSafeguards, OnlyASleepThatCoveredTheMinuteBeforeTheCheckRangRings) {
  SettingsWithSong("06", "50");
  StartGuarded(6, 49, 58);  // the checks come at :08, :18 ...
  Tick(*form->ChkRepeat);   // each ring plays once
  Pass(5000);               // 06:50:03: within the minute, before a check
  Sleep(3600000);
  EXPECT_EQ(Plays(), 1);

  Click(*form->ButtonOff);  // armed again at 07:50:03, for tomorrow
  Sleep(3600000);
  EXPECT_EQ(Plays(), 1);
  Sleep(21 * 3600000 + 30 * 60000);  // to 06:20:03: before the minute
  EXPECT_EQ(Plays(), 1);
  PassUntil(6, 50, 10);  // the check rings it
  EXPECT_EQ(Plays(), 2);
}

// --- the wake-up sound ---------------------------------------------------------------

TEST_F(AlarmSafeguards, NoOpenSongRingsWithTheWakeUpSoundInsideTheErrorBoxUntilStop) {
  SettingsWithMissingSong();
  StartGuarded(6, 49);
  // The sound starts at once, before the box opens: the box's alert plays
  // beside it.
  bool beforeTheBox = true, withTheBox = false;
  dialogs.whileOpen = [&](const FakeDialogs::Box&) {
    beforeTheBox = sound.Playing();
    scheduler.RunFor(1000);
    withTheBox = sound.Playing();
    dialogs.whileOpen = nullptr;
  };
  PassUntil(6, 50, 10);
  EXPECT_EQ(Errors(), (Strings{"No MCI device open."}));
  EXPECT_TRUE(beforeTheBox);
  EXPECT_TRUE(withTheBox);
  PassMinutes(10);
  EXPECT_TRUE(sound.Playing());
  PressPlayerStop();
  EXPECT_FALSE(sound.Playing());
  EXPECT_EQ(sound.starts, 1);
}

TEST_F(AlarmSafeguards, APlayTheDeviceRefusesOrAFailureItReportsBringsTheSoundWithoutABox) {
  SettingsWithSong("06", "50");
  StartGuarded(6, 49);
  mci.codeFor[mci::kPlay] = 296;
  PassUntil(6, 50, 11);
  EXPECT_TRUE(sound.Playing());
  Key();  // Snooze
  EXPECT_FALSE(sound.Playing());
  mci.codeFor.erase(mci::kPlay);
  PassMinutes(5);  // the snooze ends and the song starts
  form->MediaPlayer1->Notify(mci::kNotifyFailure);
  EXPECT_TRUE(sound.Playing());
  Click(*form->btnSnooze);
  form->MediaPlayer1->Notify(mci::kNotifyFailure);  // after Snooze: nothing
  Pass(1000);
  EXPECT_FALSE(sound.Playing());
  // A repeat that cannot play stays without a box, but not silent.
  PassMinutes(5);
  PressPlayerStop();
  mci.codeFor[mci::kPlay] = 296;
  PassMinutes(5);
  Pass(1000);
  EXPECT_TRUE(sound.Playing());
  EXPECT_TRUE(Errors().empty());
}

TEST_F(AlarmSafeguards, WithASongThatCannotPlaySnoozeStillSnoozesAndSwitchingOffArmsTheAlarm) {
  SettingsWithMissingSong();
  StartGuarded(6, 49);
  Tick(*form->ChkRepeat);
  PassUntil(6, 50, 10);
  EXPECT_TRUE(sound.Playing());
  Key();  // Snooze: quiet, and no box for the song that is not there
  EXPECT_FALSE(sound.Playing());
  EXPECT_EQ(Errors(), Strings{"No MCI device open."});
  EXPECT_FALSE(form->Timerflash->Enabled());
  EXPECT_TRUE(awake.systemRequired);  // the snooze can still ring
  PassMinutes(5);
  Pass(1000);
  EXPECT_TRUE(sound.Playing());  // its end rings with the wake-up sound
  Click(*form->btnSnooze);
  EXPECT_FALSE(sound.Playing());

  // Switching off reports the song and leaves the display on, but arms the
  // alarm for tomorrow.
  Click(*form->ButtonOff);
  EXPECT_EQ(Errors().back(), "No MCI device open.");
  EXPECT_TRUE(form->Timer2->Enabled());
  Pass(2000);
  EXPECT_EQ(PowerOffs(), 0);
  clock->offsetMs += 22 * 3600000;  // to about 05:00 tomorrow
  Type(*form->EditSnooze, "0");     // a snooze that never ends
  PassUntil(6, 50, 10);
  EXPECT_TRUE(sound.Playing());
  Key();
  PassMinutes(60);
  EXPECT_FALSE(sound.Playing());
}

TEST_F(AlarmSafeguards, ASnoozeEndThatCannotPlayRingsAndReportsOnce) {
  SettingsWithMissingSong();
  StartGuarded(6, 49);
  PassUntil(6, 50, 10);
  Key();
  PassMinutes(5);
  Pass(1000);
  EXPECT_TRUE(sound.Playing());
  EXPECT_EQ(Errors(), (Strings{"No MCI device open.", "No MCI device open."}));
  PassMinutes(30);
  EXPECT_EQ(Errors().size(), 2U) << "the snooze end came back";
}

// --- a muted output ----------------------------------------------------------------------

TEST_F(AlarmSafeguards, TheAlarmUnmutesTheOutputWhenItRingsWithSoundOnly) {
  SettingsWithSong("06", "50");
  endpoint.muted = true;
  StartGuarded(6, 49);
  PassUntil(6, 50, 10);
  EXPECT_FALSE(endpoint.muted);
  endpoint.muted = true;  // a reflex press of the mute key
  PassMinutes(5);         // the repeat
  EXPECT_FALSE(endpoint.muted);
  endpoint.muted = true;
  Tick(*form->ChkPlay);
  Click(*form->ButtonOff);
  PassUntil(6, 50, 10);
  EXPECT_TRUE(endpoint.muted);
  EXPECT_EQ(endpoint.unmutes, 2);
}

TEST_F(AlarmSafeguards, ASnoozeEndUnmutesOnlyWithSoundAlarmTicked) {
  SettingsWithSong("06", "50");
  StartGuarded(6, 49);
  PassUntil(6, 50, 10);
  Key();
  endpoint.muted = true;
  PassMinutes(5);
  EXPECT_FALSE(endpoint.muted);
  // Unticked, the end of a snooze still plays but the user's mute stays.
  Tick(*form->ChkPlay);
  Click(*form->btnSnooze);
  endpoint.muted = true;
  const int plays = Plays();
  PassMinutes(5);
  EXPECT_EQ(Plays(), plays + 1);
  EXPECT_TRUE(endpoint.muted);
}

// --- the display ---------------------------------------------------------------------------

TEST_F(AlarmSafeguards, TheDisplayComesOnAtTheAlarmAndWhenTheMouseEndsTheDarkOnly) {
  SettingsWithSong("06", "50");
  StartGuarded(6, 40);
  Click(*form->ButtonOff);
  Pass(5000);
  EXPECT_EQ(display.wakes, 0);
  MoveOver(*form->Label14);  // ends the dark
  EXPECT_EQ(display.wakes, 1);
  MoveOver(*form->Label14);
  EXPECT_EQ(display.wakes, 1);
  // At the alarm with the display meant to be on: its own timeout may
  // have switched it off.
  PassUntil(6, 50, 10);
  EXPECT_EQ(display.wakes, 2);
  // A snooze that ends in the dark keeps it dark; the alarm from the dark
  // wakes it once.
  Type(*form->ComboBoxM, "59");
  Click(*form->ButtonOff);
  Key();
  PassMinutes(6);
  EXPECT_EQ(display.wakes, 2);
  PassUntil(6, 59, 10);
  EXPECT_EQ(display.wakes, 3);
  EXPECT_EQ(PowerOns(), 2);
}

}  // namespace
}  // namespace dz
