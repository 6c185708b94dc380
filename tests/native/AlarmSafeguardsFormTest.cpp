// The alarm's safeguards in the main window through the phases of a night:
// the system kept awake, the wake timer, a sleep over the alarm minute, the
// wake-up sound when the song cannot play, and a muted output.
#include "fakes/FakeSafeguardPorts.h"
#include "native/AlarmFixture.h"

namespace dz {
namespace {

using Strings = std::vector<std::string>;

class AlarmSafeguardsForm : public AlarmFixture {
 protected:
  // The window goes before the ports below.
  ~AlarmSafeguardsForm() override { form.reset(); }

  // As Start, with the safeguards' ports faked as well.
  void StartGuarded(int hour, int minute, int second = 0) {
    clock = std::make_unique<VirtualClock>(scheduler, 2026, 12, 7, hour, minute, second);
    Platform platform;
    platform.clock = clock.get();
    platform.timers = &scheduler;
    platform.dialogs = &dialogs;
    platform.files = &files;
    platform.shell = &shell;
    platform.mci = &mci;
    platform.peers = &peers;
    platform.fileDialogs = &fileDialogs;
    platform.executionState = &executionState;
    platform.wakeTimer = &wakeTimer;
    platform.power = &power;
    platform.fallbackSound = &sound;
    platform.audioEndpoint = &endpoint;
    scope = std::make_unique<ScopedPlatform>(platform);
    form = std::make_unique<TForm1>();
    form->Show();
    form->HandleActivate();
  }

  // The settings naming a song that is not there: nothing is open.
  void SettingsWithMissingSong(const std::string& hour, const std::string& minute) {
    Settings(folder.File("gone.mp3") + "\r\n" + hour + "\r\n" + minute + "\r\n2\r\n5\r\n");
  }

  std::string WakeTime() const {
    if (!wakeTimer.setFor) return "none";
    const LocalTime& t = *wakeTimer.setFor;
    return std::to_string(t.day) + "." + std::to_string(t.month) + " " + std::to_string(t.hour) +
           ":" + std::to_string(t.minute);
  }

  // The system sleeps now and resumes `minutes` later: the clock moves on,
  // no timer ticks meanwhile.
  void Sleep(std::int64_t minutes) {
    power.Raise(PowerChange::Suspending);
    clock->offsetMs += minutes * 60000;
    power.Raise(PowerChange::Resumed);
    power.Raise(PowerChange::Resumed);  // the second report of the same resume
  }

  FakeExecutionState executionState;
  FakeWakeTimer wakeTimer;
  FakePowerEvents power;
  FakeFallbackSound sound;
  FakeAudioEndpoint endpoint;
};

// --- staying awake and waking up -------------------------------------------------

TEST_F(AlarmSafeguardsForm, TheSystemStaysAwakeFromStartThroughRingingSnoozeAndRepeat) {
  SettingsWithSong("06", "50");
  StartGuarded(23, 10);
  Click(*form->ButtonOff);
  EXPECT_TRUE(executionState.systemRequired);  // the alarm check runs
  PassUntil(6, 50, 1);
  ASSERT_EQ(Plays(), 1);
  EXPECT_TRUE(executionState.systemRequired);  // the repeat runs
  Key();
  EXPECT_TRUE(executionState.systemRequired);  // the snooze runs
  PassMinutes(5);
  EXPECT_EQ(Plays(), 2);
  EXPECT_TRUE(executionState.systemRequired);  // the repeat again
  form.reset();
  EXPECT_FALSE(executionState.systemRequired);
}

TEST_F(AlarmSafeguardsForm, AnAlarmWithoutRepeatLetsTheSystemSleepAgainOnceItHasRung) {
  SettingsWithSong("06", "50");
  StartGuarded(6, 45);
  Tick(*form->ChkRepeat);
  PassUntil(6, 50, 10);
  ASSERT_EQ(Plays(), 1);
  EXPECT_FALSE(executionState.systemRequired);
  EXPECT_EQ(WakeTime(), "none");
  // Switched off again for the next night: awake, and a wake timer for the
  // next morning.
  Click(*form->ButtonOff);
  EXPECT_TRUE(executionState.systemRequired);
  EXPECT_EQ(WakeTime(), "8.12 6:50");
}

TEST_F(AlarmSafeguardsForm, TheWakeTimerFollowsTheAlarmTimeAsTheUserTypesIt) {
  SettingsWithSong("06", "50");
  StartGuarded(23, 10);
  EXPECT_EQ(WakeTime(), "8.12 6:50");
  Type(*form->ComboBoxH, "7");
  EXPECT_EQ(WakeTime(), "8.12 7:50");
  Type(*form->ComboBoxM, "");  // on the way to another minute: 07:00
  EXPECT_EQ(WakeTime(), "8.12 7:0");
  Type(*form->ComboBoxM, "x");
  EXPECT_EQ(WakeTime(), "none");
  Type(*form->ComboBoxM, "30");
  Type(*form->ComboBoxH, "23");  // still to come tonight
  EXPECT_EQ(WakeTime(), "7.12 23:30");
}

// --- a sleep over the alarm minute ------------------------------------------------

TEST_F(AlarmSafeguardsForm, ASleepOverTheAlarmMinuteRingsAtResumeAsTheCheckWouldHave) {
  SettingsWithSong("06", "50");
  StartGuarded(23, 10);
  Click(*form->ButtonOff);
  PassMinutes(20);
  const int offs = PowerOffs();
  Sleep(8 * 60);  // 23:30 to 07:30
  EXPECT_EQ(Plays(), 1);
  EXPECT_EQ(PowerOns(), 1);
  EXPECT_EQ(form->WindowState(), wsMaximized);
  EXPECT_EQ(form->ActiveControl(), form->btnSnooze);
  EXPECT_FALSE(form->Timer2->Enabled());
  EXPECT_TRUE(form->Timer4->Enabled());
  EXPECT_TRUE(form->Timerflash->Enabled());
  Pass(30000);
  EXPECT_EQ(Plays(), 1);  // once
  EXPECT_EQ(PowerOffs(), offs);
  EXPECT_TRUE(Errors().empty());
}

TEST_F(AlarmSafeguardsForm, AResumeBeforeTheAlarmMinuteLeavesItToTheCheck) {
  SettingsWithSong("06", "50");
  StartGuarded(23, 10);
  Click(*form->ButtonOff);
  Sleep(7 * 60 + 30);  // 23:10 to 06:40
  EXPECT_EQ(Plays(), 0);
  PassUntil(6, 50, 11);
  EXPECT_EQ(Plays(), 1);
}

// --- the wake-up sound --------------------------------------------------------------

TEST_F(AlarmSafeguardsForm, AMissingSongRingsWithTheWakeUpSoundBesideTheErrorUntilSnooze) {
  SettingsWithMissingSong("06", "50");
  StartGuarded(6, 49);
  // The box is still open when the sound starts, which so takes over from
  // any alert the box sounds as it opens.
  bool beforeTheBox = true, whileTheBoxIsOpen = false;
  dialogs.whileOpen = [&](const FakeDialogs::Box&) {
    beforeTheBox = sound.Playing();
    scheduler.RunFor(1000);
    whileTheBoxIsOpen = sound.Playing();
  };
  PassUntil(6, 50, 10);
  EXPECT_EQ(Errors(), (Strings{"No MCI device open."}));
  EXPECT_FALSE(beforeTheBox);
  EXPECT_TRUE(whileTheBoxIsOpen);
  dialogs.whileOpen = nullptr;
  ASSERT_TRUE(sound.Playing());
  PassMinutes(10);
  EXPECT_TRUE(sound.Playing());  // it loops on
  Key();                         // Snooze
  EXPECT_FALSE(sound.Playing());
}

TEST_F(AlarmSafeguardsForm, ThePlayersStopButtonEndsTheWakeUpSound) {
  SettingsWithMissingSong("06", "50");
  StartGuarded(6, 49);
  PassUntil(6, 50, 11);
  ASSERT_TRUE(sound.Playing());
  PressPlayerStop();
  EXPECT_FALSE(sound.Playing());
}

TEST_F(AlarmSafeguardsForm, ASongTheDeviceRefusesOrFailsInPlaysTheWakeUpSoundWithoutABox) {
  SettingsWithSong("06", "50");
  StartGuarded(6, 49);
  mci.codeFor[mci::kPlay] = 296;
  PassUntil(6, 50, 11);
  EXPECT_TRUE(sound.Playing());
  Key();
  EXPECT_FALSE(sound.Playing());
  // The snooze ends, the song starts and the device then reports a failure.
  mci.codeFor.erase(mci::kPlay);
  PassMinutes(5);
  EXPECT_FALSE(sound.Playing());
  form->MediaPlayer1->Notify(mci::kNotifyFailure);
  Pass(1000);
  EXPECT_TRUE(sound.Playing());
  EXPECT_TRUE(Errors().empty());
}

TEST_F(AlarmSafeguardsForm, ARepeatThatCannotPlayStaysWithoutABoxButNotSilent) {
  SettingsWithSong("06", "50");
  StartGuarded(6, 49);
  PassUntil(6, 50, 10);
  ASSERT_EQ(Plays(), 1);
  PressPlayerStop();  // the song stopped, the repeat still runs
  mci.codeFor[mci::kPlay] = 296;
  PassMinutes(5);
  Pass(1000);
  EXPECT_TRUE(sound.Playing());
  EXPECT_TRUE(Errors().empty());
}

// --- a muted output -------------------------------------------------------------------

TEST_F(AlarmSafeguardsForm, TheAlarmUnmutesTheOutputOnlyWhenItRingsWithSound) {
  SettingsWithSong("06", "50");
  endpoint.muted = true;
  StartGuarded(6, 49);
  PassUntil(6, 50, 10);
  EXPECT_FALSE(endpoint.muted);

  endpoint.muted = true;
  Tick(*form->ChkPlay);
  Click(*form->ButtonOff);  // the notice about Sound Alarm, then armed again
  PassUntil(6, 50, 10);
  EXPECT_TRUE(endpoint.muted);
}

}  // namespace
}  // namespace dz
