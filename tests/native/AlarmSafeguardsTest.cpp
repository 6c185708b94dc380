#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "alarm/AlarmSafeguards.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeMci.h"
#include "fakes/FakeSafeguardPorts.h"
#include "fakes/FixedClock.h"
#include "fakes/VirtualScheduler.h"
#include "runtime/Platform.h"

namespace dz {
namespace {

// The alarm's three timers, its time and its player, on their own, with
// every safeguard port faked. The alarm check runs from the start, as in
// the program; the repeat and snooze timers are off.
class AlarmSafeguardsTest : public ::testing::Test {
 protected:
  AlarmSafeguardsTest() : clock(2026, 12, 8, 22, 30) {
    Platform platform;
    platform.timers = &scheduler;
    platform.dialogs = &dialogs;
    platform.clock = &clock;
    platform.mci = &mci;
    platform.executionState = &executionState;
    platform.wakeTimer = &wakeTimer;
    platform.power = &power;
    platform.fallbackSound = &sound;
    platform.audioEndpoint = &endpoint;
    scope = std::make_unique<ScopedPlatform>(platform);
    for (TTimer* timer : {&alarmCheck, &repeat, &snooze}) timer->SetOnTimer([] {});
    alarmCheck.SetInterval(10000);
    repeat.SetEnabled(false);
    snooze.SetEnabled(false);
    hour.SetText("06");
    minute.SetText("50");
    player.SetFileName("C:\\Alarm\\song.wav");
  }

  void Make() {
    safeguards = std::make_unique<AlarmSafeguards>(
        AlarmSafeguards::Watched{alarmCheck, repeat, snooze, hour, minute, player},
        [this] { ++rings; },
        [this] {
          ++soundsMade;
          return std::vector<std::uint8_t>{'R', 'I', 'F', 'F'};
        });
  }

  // "2026-12-09 06:50:00.000" for the wake timer's time, or "none".
  std::string WakeTime() const {
    if (!wakeTimer.setFor) return "none";
    const LocalTime& t = *wakeTimer.setFor;
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second, t.millisecond);
    return text;
  }

  // The wake-up sound's delay passes.
  void Settle() { scheduler.RunFor(AlarmSafeguards::kWakeupSoundDelayMs); }

  void SleepAndResume(int y1, int mo1, int d1, int h1, int mi1, int s1, int y2, int mo2, int d2,
                      int h2, int mi2, int s2) {
    clock.Set(y1, mo1, d1, h1, mi1, s1);
    power.Raise(PowerChange::Suspending);
    clock.Set(y2, mo2, d2, h2, mi2, s2);
    power.Raise(PowerChange::Resumed);
  }

  VirtualScheduler scheduler;
  FakeDialogs dialogs;
  FixedClock clock;
  FakeMci mci;
  FakeExecutionState executionState;
  FakeWakeTimer wakeTimer;
  FakePowerEvents power;
  FakeFallbackSound sound;
  FakeAudioEndpoint endpoint;
  std::unique_ptr<ScopedPlatform> scope;

  TTimer alarmCheck, repeat, snooze;
  TComboBox hour{nullptr}, minute{nullptr};
  TMediaPlayer player{nullptr};
  std::unique_ptr<AlarmSafeguards> safeguards;
  int rings = 0;
  int soundsMade = 0;
};

// --- keeping the system awake ------------------------------------------------

TEST_F(AlarmSafeguardsTest, TheSystemStaysAwakeWhileAnyOfTheThreeTimersRuns) {
  Make();
  EXPECT_TRUE(executionState.systemRequired);
  alarmCheck.SetEnabled(false);  // the alarm rang without repeat
  EXPECT_FALSE(executionState.systemRequired);
  repeat.SetEnabled(true);
  EXPECT_TRUE(executionState.systemRequired);
  repeat.SetEnabled(false);
  snooze.SetInterval(300000);
  snooze.SetEnabled(true);
  EXPECT_TRUE(executionState.systemRequired);
  snooze.SetEnabled(false);
  EXPECT_FALSE(executionState.systemRequired);
  // Asked only when the answer changes.
  EXPECT_EQ(executionState.requests, (std::vector<bool>{true, false, true, false, true, false}));
}

TEST_F(AlarmSafeguardsTest, ASnoozeOfZeroMinutesNeverFiresAndKeepsNothingAwake) {
  alarmCheck.SetEnabled(false);
  Make();
  snooze.SetInterval(0);
  snooze.SetEnabled(true);
  EXPECT_FALSE(executionState.systemRequired);
}

TEST_F(AlarmSafeguardsTest, TheRequestEndsWithTheSafeguards) {
  Make();
  safeguards.reset();
  EXPECT_FALSE(executionState.systemRequired);
  EXPECT_EQ(WakeTime(), "none");
  EXPECT_FALSE(power.HasHandler());
  // The timers no longer report to it.
  repeat.SetEnabled(true);
  EXPECT_EQ(executionState.requests, (std::vector<bool>{true, false}));
}

// --- the wake timer ------------------------------------------------------------

TEST_F(AlarmSafeguardsTest, TheWakeTimerIsSetForTheStartOfTheNextAlarmMinute) {
  Make();
  EXPECT_EQ(WakeTime(), "2026-12-09 06:50:00.000");
  // Later the same day when the minute is still to come.
  minute.SetText("45");
  hour.SetText("23");
  EXPECT_EQ(WakeTime(), "2026-12-08 23:45:00.000");
}

TEST_F(AlarmSafeguardsTest, TheTextsAreReadAsTheAlarmCheckReadsThem) {
  Make();
  hour.SetText("7");
  minute.SetText("5");
  EXPECT_EQ(WakeTime(), "2026-12-09 07:05:00.000");
  hour.SetText("123");  // three characters count as 00
  EXPECT_EQ(WakeTime(), "2026-12-09 00:05:00.000");
  hour.SetText("");  // padded to 0
  EXPECT_EQ(WakeTime(), "2026-12-09 00:05:00.000");
}

TEST_F(AlarmSafeguardsTest, TextsThatMakeNoTimeOfDayLeaveNoWakeTimer) {
  Make();
  for (const char* text : {"24", "ab", "-1"}) {
    hour.SetText(text);
    EXPECT_EQ(WakeTime(), "none") << text;
    hour.SetText("06");
    EXPECT_EQ(WakeTime(), "2026-12-09 06:50:00.000");
  }
  minute.SetText("60");
  EXPECT_EQ(WakeTime(), "none");
}

TEST_F(AlarmSafeguardsTest, WithinTheAlarmMinuteTheWakeTimerIsForTomorrow) {
  clock.Set(2026, 12, 31, 6, 50, 1);
  Make();
  EXPECT_EQ(WakeTime(), "2027-01-01 06:50:00.000");
}

TEST_F(AlarmSafeguardsTest, TheWakeTimerGoesWithTheAlarmCheckAndComesBackWithIt) {
  Make();
  alarmCheck.SetEnabled(false);
  EXPECT_EQ(WakeTime(), "none");
  clock.Set(2026, 12, 9, 7, 0);
  alarmCheck.SetEnabled(true);  // switched off again the next evening
  EXPECT_EQ(WakeTime(), "2026-12-10 06:50:00.000");
}

TEST_F(AlarmSafeguardsTest, ARefusedWakeTimerIsTriedAgainAtTheNextChange) {
  wakeTimer.refuse = true;
  Make();
  EXPECT_EQ(WakeTime(), "none");
  EXPECT_TRUE(executionState.systemRequired);  // the rest carries on
  wakeTimer.refuse = false;
  minute.SetText("55");
  EXPECT_EQ(WakeTime(), "2026-12-09 06:55:00.000");
}

// --- a resume after the alarm minute -----------------------------------------

TEST_F(AlarmSafeguardsTest, ASleepOverTheAlarmMinuteRingsTheAlarmOnceAtResume) {
  Make();
  SleepAndResume(2026, 12, 8, 23, 0, 0, 2026, 12, 9, 7, 10, 0);
  EXPECT_EQ(rings, 1);
  // The system tells of the same resume a second time.
  power.Raise(PowerChange::Resumed);
  EXPECT_EQ(rings, 1);
}

TEST_F(AlarmSafeguardsTest, AResumeBeforeTheAlarmMinuteDoesNotRing) {
  Make();
  SleepAndResume(2026, 12, 8, 23, 0, 0, 2026, 12, 9, 6, 49, 59);
  EXPECT_EQ(rings, 0);
  // The wake timer itself resumes the system at the minute's start.
  SleepAndResume(2026, 12, 9, 6, 49, 59, 2026, 12, 9, 6, 50, 0);
  EXPECT_EQ(rings, 1);
}

TEST_F(AlarmSafeguardsTest, ASleepThatBeganWithinTheAlarmMinuteBeforeTheCheckRingsAtResume) {
  Make();
  SleepAndResume(2026, 12, 9, 6, 50, 59, 2026, 12, 9, 8, 0, 0);
  EXPECT_EQ(rings, 1);
}

TEST_F(AlarmSafeguardsTest, ASleepThatBeganAfterTheAlarmMinuteDoesNotRing) {
  Make();
  SleepAndResume(2026, 12, 9, 6, 51, 0, 2026, 12, 9, 9, 0, 0);
  EXPECT_EQ(rings, 0);
}

TEST_F(AlarmSafeguardsTest, ASleepOfDaysRingsOnce) {
  Make();
  SleepAndResume(2026, 12, 8, 23, 0, 0, 2026, 12, 11, 12, 0, 0);
  EXPECT_EQ(rings, 1);
}

TEST_F(AlarmSafeguardsTest, NoRingWithoutTheAlarmCheckRunningOrWithoutATime) {
  Make();
  alarmCheck.SetEnabled(false);  // it rang before the sleep
  SleepAndResume(2026, 12, 8, 23, 0, 0, 2026, 12, 9, 7, 10, 0);
  alarmCheck.SetEnabled(true);
  hour.SetText("ab");
  SleepAndResume(2026, 12, 9, 23, 0, 0, 2026, 12, 10, 7, 10, 0);
  EXPECT_EQ(rings, 0);
}

TEST_F(AlarmSafeguardsTest, AFailingRingIsReported) {
  safeguards = std::make_unique<AlarmSafeguards>(
      AlarmSafeguards::Watched{alarmCheck, repeat, snooze, hour, minute, player},
      [] { throw Exception("No MCI device open"); }, [] { return std::vector<std::uint8_t>{}; });
  SleepAndResume(2026, 12, 8, 23, 0, 0, 2026, 12, 9, 7, 10, 0);
  EXPECT_EQ(dialogs.ErrorTexts(), (std::vector<std::string>{"No MCI device open."}));
}

TEST_F(AlarmSafeguardsTest, AResumeMovesTheWakeTimerOnToTheNextDay) {
  Make();
  SleepAndResume(2026, 12, 8, 23, 0, 0, 2026, 12, 9, 6, 50, 30);
  EXPECT_EQ(WakeTime(), "2026-12-10 06:50:00.000");
}

// --- the wake-up sound when the song cannot play ------------------------------

TEST_F(AlarmSafeguardsTest, NoOpenSongStartsTheWakeUpSoundAndTheErrorGoesOn) {
  Make();
  EXPECT_THROW(safeguards->PlaySong(SongCue::Alarm, [this] { player.Play(); }), EMCIDeviceError);
  EXPECT_FALSE(sound.Playing());  // not yet: a box may be opening
  Settle();
  EXPECT_TRUE(sound.Playing());
  EXPECT_EQ(*sound.playing, (std::vector<std::uint8_t>{'R', 'I', 'F', 'F'}));
  // Snooze silences it.
  safeguards->Silence();
  EXPECT_FALSE(sound.Playing());
}

TEST_F(AlarmSafeguardsTest, ASongThatPlaysStartsNoWakeUpSound) {
  player.Open();
  Make();
  safeguards->PlaySong(SongCue::Alarm, [this] { player.Play(); });
  EXPECT_FALSE(sound.Playing());
  player.Notify(mci::kNotifySuccessful);  // it ends
  EXPECT_FALSE(sound.Playing());
  EXPECT_EQ(soundsMade, 0);
}

TEST_F(AlarmSafeguardsTest, APlayRequestTheDeviceRefusesStartsTheWakeUpSound) {
  player.Open();
  Make();
  mci.FailNext(mci::kPlay, 296);
  safeguards->PlaySong(SongCue::Repeat, [this] {
    player.Stop();
    player.Rewind();
    player.Play();
  });
  Settle();
  EXPECT_TRUE(sound.Playing());
}

TEST_F(AlarmSafeguardsTest, AFailureReportedWhileTheSongPlaysStartsTheWakeUpSound) {
  player.Open();
  int notices = 0;
  player.OnNotify = [&](TObject*) { ++notices; };
  Make();
  safeguards->PlaySong(SongCue::SnoozeEnd, [this] { player.Play(); });
  player.Notify(mci::kNotifyFailure);
  Settle();
  EXPECT_TRUE(sound.Playing());
  EXPECT_EQ(notices, 1);  // the handler that was there still hears it
}

TEST_F(AlarmSafeguardsTest, AFailureAfterSnoozeOrFromTheUsersOwnPlayStartsNothing) {
  player.Open();
  Make();
  player.Notify(mci::kNotifyFailure);  // the user tried the song before the alarm
  Settle();
  EXPECT_FALSE(sound.Playing());
  safeguards->PlaySong(SongCue::Alarm, [this] { player.Play(); });
  safeguards->Silence();
  player.Notify(mci::kNotifyFailure);
  Settle();
  EXPECT_FALSE(sound.Playing());
}

TEST_F(AlarmSafeguardsTest, ASnoozeWithinTheDelayKeepsTheWakeUpSoundFromStarting) {
  Make();
  EXPECT_THROW(safeguards->PlaySong(SongCue::Alarm, [this] { player.Play(); }), EMCIDeviceError);
  safeguards->Silence();
  Settle();
  EXPECT_FALSE(sound.Playing());
}

TEST_F(AlarmSafeguardsTest, ThePlayersStopButtonSilencesTheWakeUpSound) {
  int clicks = 0;
  player.OnClick = [&](TObject*, TMPBtnType, bool&) { ++clicks; };
  Make();
  EXPECT_THROW(safeguards->PlaySong(SongCue::Alarm, [this] { player.Play(); }), EMCIDeviceError);
  Settle();
  bool doDefault = true;
  player.OnClick(&player, btPlay, doDefault);
  EXPECT_TRUE(sound.Playing());
  player.OnClick(&player, btStop, doDefault);
  EXPECT_FALSE(sound.Playing());
  EXPECT_EQ(clicks, 2);
}

TEST_F(AlarmSafeguardsTest, TheWakeUpSoundLoopsOnThroughFurtherFailuresAndIsMadeOnce) {
  Make();
  for (int i = 0; i < 3; ++i) {
    EXPECT_THROW(safeguards->PlaySong(SongCue::Repeat, [this] { player.Stop(); }),
                 EMCIDeviceError);
    Settle();
  }
  EXPECT_EQ(sound.starts, 1);
  safeguards->Silence();
  EXPECT_THROW(safeguards->PlaySong(SongCue::SnoozeEnd, [this] { player.Stop(); }),
               EMCIDeviceError);
  Settle();
  EXPECT_EQ(sound.starts, 2);
  EXPECT_EQ(soundsMade, 1);
}

TEST_F(AlarmSafeguardsTest, TheWakeUpSoundKeepsTheSystemAwakeWhenNoTimerRuns) {
  Make();
  alarmCheck.SetEnabled(false);  // the alarm rang; the song failed, so no repeat
  EXPECT_THROW(safeguards->PlaySong(SongCue::Alarm, [this] { player.Play(); }), EMCIDeviceError);
  EXPECT_TRUE(executionState.systemRequired);  // on the way
  Settle();
  EXPECT_TRUE(executionState.systemRequired);
  safeguards->Silence();
  EXPECT_FALSE(executionState.systemRequired);
}

TEST_F(AlarmSafeguardsTest, ARefusedWakeUpSoundLeavesTheRestAsItWas) {
  sound.refuse = true;
  Make();
  alarmCheck.SetEnabled(false);
  EXPECT_THROW(safeguards->PlaySong(SongCue::Alarm, [this] { player.Play(); }), EMCIDeviceError);
  Settle();
  EXPECT_FALSE(safeguards->WakeupSoundOn());
  EXPECT_FALSE(executionState.systemRequired);
}

TEST_F(AlarmSafeguardsTest, TheWakeUpSoundStopsWithTheSafeguards) {
  Make();
  EXPECT_THROW(safeguards->PlaySong(SongCue::Alarm, [this] { player.Play(); }), EMCIDeviceError);
  Settle();
  ASSERT_TRUE(sound.Playing());
  safeguards.reset();
  EXPECT_FALSE(sound.Playing());
}

// --- the muted output ------------------------------------------------------------

TEST_F(AlarmSafeguardsTest, TheAlarmUnmutesAMutedOutputBeforeThePlay) {
  player.Open();
  endpoint.muted = true;
  Make();
  bool mutedAtPlay = true;
  safeguards->PlaySong(SongCue::Alarm, [&] {
    mutedAtPlay = endpoint.muted;
    player.Play();
  });
  EXPECT_FALSE(mutedAtPlay);
  EXPECT_EQ(endpoint.unmutes, 1);
}

TEST_F(AlarmSafeguardsTest, RepeatsAndSnoozeEndsLeaveTheMuteAlone) {
  player.Open();
  Make();
  safeguards->PlaySong(SongCue::Alarm, [this] { player.Play(); });
  EXPECT_EQ(endpoint.unmutes, 0);  // not muted: not touched
  endpoint.muted = true;           // the user muted it after the alarm
  safeguards->PlaySong(SongCue::Repeat, [this] { player.Play(); });
  safeguards->PlaySong(SongCue::SnoozeEnd, [this] { player.Play(); });
  EXPECT_TRUE(endpoint.muted);
}

// --- without the ports ---------------------------------------------------------

TEST_F(AlarmSafeguardsTest, WithoutThePortsNothingFails) {
  Platform bare;
  bare.timers = &scheduler;
  bare.dialogs = &dialogs;
  ScopedPlatform none(bare);
  Make();
  alarmCheck.SetEnabled(false);
  EXPECT_THROW(safeguards->PlaySong(SongCue::Alarm, [this] { player.Play(); }), EMCIDeviceError);
  Settle();
  safeguards->Silence();
  safeguards.reset();
  EXPECT_FALSE(executionState.systemRequired);
}

}  // namespace
}  // namespace dz
