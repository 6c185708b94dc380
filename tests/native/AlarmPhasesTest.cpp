// The alarm through a night and its phases: watching, dark, armed, ringing,
// snoozing and after a snooze, driven by clicks, keys, mouse moves and time.
#include <cstdio>
#include <functional>

#include "native/AlarmFixture.h"

namespace dz {
namespace {

using Strings = std::vector<std::string>;

class AlarmPhases : public AlarmFixture {};

// --- a whole night -----------------------------------------------------------

TEST_F(AlarmPhases, ANightArmedAt2310RingsAt0650SnoozesAndRepeats) {
  SettingsWithSong("06", "50");  // repeat 2, snooze 5
  Start(23, 10);
  form->SetWindowState(wsNormal);
  Click(*form->ButtonOff);
  EXPECT_EQ(form->Timer4->Interval(), 2 * 60000 + kSongMs);

  PassUntil(6, 49, 59);
  EXPECT_EQ(Plays(), 0);
  EXPECT_GE(PowerOffs(), 7 * 3600 + 39 * 60);  // kept dark all night
  EXPECT_EQ(PowerOns(), 0);

  PassUntil(6, 50, 1);
  EXPECT_EQ(Plays(), 1);
  EXPECT_EQ(PowerOns(), 1);
  EXPECT_EQ(form->WindowState(), wsMaximized);
  EXPECT_EQ(form->ActiveControl(), form->btnSnooze);
  const int offs = PowerOffs();
  std::vector<TColor> colours;
  for (int i = 0; i < 3; ++i) {
    scheduler.RunFor(200);
    colours.push_back(form->Color());
  }
  EXPECT_EQ(PowerOffs(), offs);  // the display stays on
  EXPECT_NE(colours[0], colours[1]);
  EXPECT_EQ(colours[0], colours[2]);

  const int stops = Stops();
  Key();
  EXPECT_GT(Stops(), stops);
  const TColor kept = form->Color();
  PassMinutes(4);
  EXPECT_EQ(Plays(), 1);
  EXPECT_EQ(form->Color(), kept);  // no more flashing
  PassMinutes(1);
  EXPECT_EQ(Plays(), 2);  // the snooze ends
  Key();                  // keys are inert until the song repeats
  PassMinutes(5);
  EXPECT_EQ(Plays(), 3);  // the repeat, five minutes after the snooze ended
  Key();                  // snoozes again
  PassMinutes(4);
  EXPECT_EQ(Plays(), 3);
  PassMinutes(1);
  EXPECT_EQ(Plays(), 4);
  EXPECT_EQ(Errors(), Strings{});
}

// --- watching ---------------------------------------------------------------

TEST_F(AlarmPhases, WithoutSwitchingOffKeysDoNothingAndTheAlarmStillRingsOnce) {
  SettingsWithSong("06", "50");
  Start(6, 45);
  Key();
  PassMinutes(4);
  EXPECT_EQ(Stops(), 0);
  EXPECT_FALSE(form->TimerSnooze->Enabled());
  PassUntil(6, 51);
  EXPECT_EQ(Plays(), 1);  // six checks in the minute, one alarm
  EXPECT_FALSE(form->Timer2->Enabled());
  EXPECT_EQ(PowerOffs() + PowerOns(), 0);
}

TEST_F(AlarmPhases, UnpaddedAndOverlongAlarmTextsAreNormalisedByTheCheck) {
  SettingsWithSong("7", "5");
  Start(7, 4, 55);
  PassUntil(7, 5, 6);
  EXPECT_EQ(Plays(), 1);
  EXPECT_EQ(form->ComboBoxH->Text(), "07");
  EXPECT_EQ(form->ComboBoxM->Text(), "05");

  Click(*form->ButtonOff);  // arms the check again
  Type(*form->ComboBoxH, "123");
  Type(*form->ComboBoxM, "");
  Pass(10000);
  EXPECT_EQ(form->ComboBoxH->Text(), "00");
  EXPECT_EQ(form->ComboBoxM->Text(), "0");
}

TEST_F(AlarmPhases, HourAndMinuteComeFromOneReadingOfTheClock) {
  // The alarm at 07:00, checked at the turn from 07:59 to 08:00: a second
  // reading would pair hour 07 with minute 00 and ring an hour late.
  SettingsWithSong("07", "00");
  Start(7, 59, 49, 999);
  Pass(9000);
  clock->stepPerRead = 1;  // the check at 07:59:59.999 reads 08:00 the second time
  Pass(1000);
  EXPECT_EQ(Plays(), 0);
}

// A whole alarm minute between two checks, without a power report (a
// standby that tells nothing, the clock set forward): the clock jumps while
// no timer ticks.
TEST_F(AlarmPhases, AnAlarmMinuteThatPassedBetweenTwoChecksRingsOnceAtTheNext) {
  SettingsWithSong("06", "50");
  Start(6, 40, 5);  // checks at :05, :15 ...
  Tick(*form->ChkRepeat);  // each ring plays once
  Pass(10000);
  clock->offsetMs += 9 * 60000;  // 06:40:15 to 06:49:15: the minute still ahead
  Pass(10000);
  EXPECT_EQ(Plays(), 0);
  clock->offsetMs += 2 * 60000;  // 06:49:25 to 06:51:25
  Pass(10000);
  EXPECT_EQ(Plays(), 1);
  EXPECT_EQ(form->WindowState(), wsMaximized);
  EXPECT_TRUE(form->Timerflash->Enabled());
  Pass(60000);
  EXPECT_EQ(Plays(), 1);  // once

  // Armed again after the minute, set back and forward over no alarm minute.
  Click(*form->ButtonOff);
  clock->offsetMs -= 60000;
  PassMinutes(1);
  clock->offsetMs += 2 * 60000;
  PassMinutes(1);
  clock->offsetMs += 23 * 3600000;  // to 05:57 tomorrow
  PassMinutes(1);
  EXPECT_EQ(Plays(), 1);
  PassUntil(6, 50, 10);
  EXPECT_EQ(Plays(), 2);
}

TEST_F(AlarmPhases, AnAlarmMinuteTypedAfterItWentByRingsTomorrowNotAtOnce) {
  SettingsWithSong("06", "50");
  Start(6, 40);
  Click(*form->ButtonOff);
  Pass(10000);
  scheduler.Advance(14 * 60000);  // the thread busy until 06:54
  Type(*form->ComboBoxM, "51");
  PassMinutes(3);
  EXPECT_EQ(Plays(), 0) << "rang for a minute set after it went by";
  PassUntil(6, 51, 10);
  EXPECT_EQ(Plays(), 1);
}

TEST_F(AlarmPhases, TheAlarmTimeBeingTypedIsNeitherPaddedNorReportedUntilTypingPauses) {
  SettingsWithSong("06", "50");
  Start(17, 0, 5);  // checks at :15, :25 ...; the countdown every second
  Tick(*form->ChkRepeat);
  Pass(9500);
  Type(*form->ComboBoxH, "1");
  Pass(1000);  // a check half a second later
  EXPECT_EQ(form->ComboBoxH->Text(), "1");
  Type(*form->ComboBoxH, "17");
  Type(*form->ComboBoxM, "");  // emptied to type the minute
  Pass(2500);
  EXPECT_EQ(Errors(), Strings{});
  Type(*form->ComboBoxM, "3");
  Pass(2000);
  Type(*form->ComboBoxM, "30");
  Pass(1000);
  EXPECT_EQ(form->Label8->Caption(), "00:30");
  PassUntil(17, 30, 10);
  EXPECT_EQ(Plays(), 1);
  EXPECT_EQ(Errors(), Strings{});

  // Left empty, the minute is an invalid time again once typing pauses.
  Type(*form->ComboBoxM, "");
  Pass(2000);
  EXPECT_EQ(Errors(), Strings{});
  Pass(2000);
  ASSERT_FALSE(Errors().empty());
  EXPECT_EQ(Errors().front(), "'17:' is not a valid time.");
}

// --- switching off and the dark ----------------------------------------------

TEST_F(AlarmPhases, TheMouseWakesTheDisplayOverTheBackgroundPanelAndTextLabelsOnly) {
  SettingsWithSong("06", "50");
  Start(23, 10);
  for (TControl* c : std::vector<TControl*>{form->Label2, form->Label8, form->Label13,
                                            form->btnSnooze, form->ComboBoxH}) {
    Click(*form->ButtonOff);
    MoveOver(*c);
    EXPECT_EQ(PowerOns(), 0) << c->Name();
  }
  // The window's background, a bare spot of the panel, the three text labels.
  const std::vector<std::function<void()>> moves = {
      [&] { form->HandleMouseMove(0, 1000, 650); },
      [&] { form->Panel1->HandleMouseMove(0, 620, 150); },
      [&] { MoveOver(*form->Label14); },
      [&] { MoveOver(*form->Label16); },
      [&] { MoveOver(*form->Label19); },
  };
  int ons = 0;
  for (const auto& move : moves) {
    Click(*form->ButtonOff);
    Pass(1000);
    move();
    EXPECT_EQ(PowerOns(), ++ons);
    const int offs = PowerOffs();
    Pass(1000);
    EXPECT_EQ(PowerOffs(), offs);
    move();
    EXPECT_EQ(PowerOns(), ons) << "woken once";
  }
  PassUntil(6, 50, 5);
  EXPECT_EQ(Plays(), 1);  // still armed
}

TEST_F(AlarmPhases, SwitchingOffReopensTheSongAndAKeySnoozesBeforeTheAlarm) {
  SettingsWithSong("06", "50");
  Start(23, 10);
  const int opens = mci.Count(mci::kOpen);
  Type(*form->EditRepeatMin, "-1");  // accepted while the total stays positive
  Click(*form->ButtonOff);
  EXPECT_EQ(mci.Count(mci::kOpen), opens + 1);
  EXPECT_EQ(form->Timer4->Interval(), kSongMs - 60000);
  Key();
  PassMinutes(5);
  EXPECT_EQ(Plays(), 1);  // the snooze ends with the song, in the dark
  EXPECT_EQ(PowerOns(), 0);
  PassUntil(6, 50, 5);
  EXPECT_EQ(PowerOns(), 1);  // and the alarm still comes
}

TEST_F(AlarmPhases, SoundAlarmUntickedWarnsStaysSilentAtTheAlarmButTheSnoozeEndPlays) {
  SettingsWithSong("06", "50");
  Start(6, 40);
  Tick(*form->ChkPlay);
  Click(*form->ButtonOff);
  EXPECT_EQ(Notices(), Strings{"No alarm will sound with the \" Sound Alarm\" chechbox unticked"});
  PassUntil(6, 50, 5);
  EXPECT_GT(PowerOffs(), 0);
  EXPECT_EQ(Plays(), 0);
  EXPECT_EQ(PowerOns(), 1);
  Click(*form->btnSnooze);
  PassMinutes(5);
  EXPECT_EQ(Plays(), 1);
  PassMinutes(10);
  EXPECT_EQ(Plays(), 1);  // repeats need Sound Alarm
}

TEST_F(AlarmPhases, SwitchingOffFailsWithTheDisplayOnWhenItCannotArm) {
  Start(22, 0);  // no settings, no default sound: nothing is open
  Click(*form->ButtonOff);
  EXPECT_EQ(Errors(), Strings{"No MCI device open."});

  SettingsWithSong("06", "50");
  form.reset();
  scope.reset();
  Start(22, 0);
  for (const char* repeat : {"", "35792", "-4"}) Type(*form->EditRepeatMin, repeat);
  EXPECT_EQ(Errors(), (Strings{"No MCI device open.", "'' is not a valid integer value.",
                               "Integer overflow.", "Range check error."}));
  EXPECT_EQ(form->Timer4->Interval(), 300000u);  // the last good value
  Type(*form->EditRepeatMin, "1");
  std::remove(folder.File("song.mp3").c_str());
  mci.trackStatus[{mci::kStatusLength, 1}] = 60000;
  Click(*form->ButtonOff);
  EXPECT_EQ(Notices(), Strings{"No sound file selected!  Open a music file and try again."});
  EXPECT_EQ(form->Timer4->Interval(), 120000u);  // from the file still open
  Pass(2000);
  EXPECT_EQ(PowerOffs(), 0);
}

TEST_F(AlarmPhases, SwitchingOffAgainAfterAMouseWakeDarkensTheScreenAgain) {
  SettingsWithSong("06", "50");
  Start(23, 10);
  Click(*form->ButtonOff);
  form->HandleMouseMove(0, 1000, 650);
  Click(*form->ButtonOff);
  const int offs = PowerOffs();
  Pass(1000);
  EXPECT_GT(PowerOffs(), offs);
}

// --- ringing, snoozing, after a snooze -----------------------------------------

TEST_F(AlarmPhases, SnoozeTicksRepeatForItsOwnEndOnly) {
  SettingsWithSong("06", "50");
  Start(6, 49, 55);
  Tick(*form->ChkRepeat);
  EXPECT_FALSE(form->RepeatOffBtn->Enabled());
  PassUntil(6, 50, 6);
  Click(*form->btnSnooze);
  EXPECT_TRUE(form->ChkRepeat->Checked());
  EXPECT_TRUE(form->RepeatOffBtn->Enabled());
  PassMinutes(5);
  EXPECT_EQ(Plays(), 2);
  EXPECT_FALSE(form->ChkRepeat->Checked());
  EXPECT_FALSE(form->RepeatOffBtn->Enabled());
  PassMinutes(30);
  EXPECT_EQ(Plays(), 2);

  // Ticked beforehand, Repeat stays ticked; the hidden button unticks it.
  Tick(*form->ChkRepeat);
  Click(*form->btnSnooze);
  PassMinutes(5);
  EXPECT_TRUE(form->ChkRepeat->Checked());
  Click(*form->RepeatOffBtn);
  EXPECT_FALSE(form->ChkRepeat->Checked());
  EXPECT_FALSE(form->RepeatOffBtn->Enabled());
}

TEST_F(AlarmPhases, ASecondSnoozeDoesNotProlongTheFirstAndZeroMinutesNeverEnds) {
  SettingsWithSong("06", "50");
  Start(6, 49, 55);
  PassUntil(6, 50, 6);
  Key();
  PassMinutes(3);
  Click(*form->btnSnooze);
  PassMinutes(2);
  EXPECT_EQ(Plays(), 2);

  Type(*form->EditSnooze, "0");
  Click(*form->btnSnooze);
  PassMinutes(120);
  EXPECT_EQ(Plays(), 2);
}

TEST_F(AlarmPhases, BadSnoozeMinutesStopSoundAndFlashButStartNoSnooze) {
  SettingsWithSong("06", "50", "2", "x");
  Start(6, 49, 55);
  PassUntil(6, 50, 6);
  Key();
  Key();  // the key still runs Snooze
  Type(*form->EditSnooze, "35792");
  Key();
  EXPECT_EQ(Errors(), (Strings{"'x' is not a valid integer value.", "'x' is not a valid integer value.",
                               "Integer overflow."}));
  EXPECT_FALSE(form->Timerflash->Enabled());
  EXPECT_FALSE(form->TimerSnooze->Enabled());
  EXPECT_GE(Stops(), 3);
  PassMinutes(60);
  EXPECT_EQ(Plays(), 1);
}

TEST_F(AlarmPhases, ThePlayersStopSilencesKeysButNotTheRepeat) {
  SettingsWithSong("06", "50");
  Start(6, 49, 55);
  PassUntil(6, 50, 6);
  const int seeks = mci.Count(mci::kSeek);
  PressPlayerStop();
  EXPECT_GT(mci.Count(mci::kSeek), seeks);  // rewound
  Key();
  EXPECT_FALSE(form->TimerSnooze->Enabled());
  PassMinutes(5);
  EXPECT_EQ(Plays(), 2);  // the repeat still comes
}

TEST_F(AlarmPhases, WithoutADeviceTheRepeatIsSilentAndSnoozeStillSnoozesWithoutABox) {
  SettingsWithSong("06", "50");
  Start(6, 49, 55);
  PassUntil(6, 50, 6);
  form->MediaPlayer1->Close();
  PassMinutes(5);  // the repeat cannot play
  EXPECT_EQ(Errors(), Strings{});
  Key();
  EXPECT_EQ(Errors(), Strings{});
  EXPECT_FALSE(form->Timerflash->Enabled());
  EXPECT_TRUE(form->TimerSnooze->Enabled());
  PassMinutes(5);  // its end cannot play either, and says so
  EXPECT_EQ(Errors(), Strings{"No MCI device open."});
}

TEST_F(AlarmPhases, FlashingFollowsTheFlashBoxNotTheRepeatBox) {
  SettingsWithSong("06", "50");
  Start(6, 49, 55);
  Tick(*form->ChkFlash);
  PassUntil(6, 50, 6);
  EXPECT_FALSE(form->Timerflash->Enabled());
  EXPECT_TRUE(form->Timer4->Enabled());

  form.reset();
  scope.reset();
  Start(6, 50);  // plus the time already passed
  Tick(*form->ChkRepeat);
  Pass(10000);
  EXPECT_TRUE(form->Timerflash->Enabled());
  EXPECT_FALSE(form->Timer4->Enabled());
}

// Tried on the bar in the evening and played to its end, the song starts
// from its beginning at the alarm, at each repeat and at a snooze's end.
TEST_F(AlarmPhases, EveryRingPlaysTheSongFromItsStart) {
  SettingsWithSong("06", "50");
  Start(6, 40);
  PressPlayerPlay();
  PassUntil(6, 50, 10);
  EXPECT_EQ(Plays(), 2);
  PassMinutes(5);  // the repeat
  EXPECT_EQ(Plays(), 3);
  Key();
  PressPlayerPlay();  // tried again during the snooze
  PassMinutes(5);
  EXPECT_EQ(Plays(), 5);
  EXPECT_EQ(PlaysNotFromTheStart(), 0);
}

TEST_F(AlarmPhases, SwitchingOffDuringASnoozeDarkensTheScreenAndTheSnoozeStillEnds) {
  SettingsWithSong("06", "50");
  Start(6, 49, 55);
  PassUntil(6, 50, 6);
  Key();
  PassMinutes(1);
  Click(*form->ButtonOff);
  Pass(1000);
  const int offs = PowerOffs();
  EXPECT_GT(offs, 0);
  PassMinutes(4);
  EXPECT_EQ(Plays(), 2);  // the snooze ends in the dark
  EXPECT_GT(PowerOffs(), offs);
  EXPECT_EQ(PowerOns(), 0);
  EXPECT_TRUE(form->Timer2->Enabled());
}

// --- the other buttons ---------------------------------------------------------

TEST_F(AlarmPhases, TheSongDialogOpensTheChoiceAndACancelKeepsTheSoundInUse) {
  folder.Put(kDefaultSoundName, "RIFF");
  Start(22, 0);
  const std::string fallback = folder.File(kDefaultSoundName);
  EXPECT_EQ(form->MediaPlayer1->FileName(), fallback);
  fileDialogs.choices = {""};
  Click(*form->SpeedButton1);
  EXPECT_EQ(form->MediaPlayer1->FileName(), fallback);
  EXPECT_TRUE(form->MediaPlayer1->IsOpen());

  const std::string song = Song();
  fileDialogs.choices = {song, folder.File("gone.mp3")};
  Click(*form->SpeedButton1);
  EXPECT_EQ(form->MediaPlayer1->FileName(), song);
  const int opens = mci.Count(mci::kOpen);
  Click(*form->SpeedButton1);
  EXPECT_EQ(form->MediaPlayer1->FileName(), folder.File("gone.mp3"));
  EXPECT_EQ(mci.Count(mci::kOpen), opens);
  EXPECT_EQ(fileDialogs.shownWith.back(), song);  // the dialog starts at the last choice
}

TEST_F(AlarmPhases, VolumeAndWebSiteLinksGoToTheShell) {
  Start(22, 0);
  Click(*form->BtnVolume);
  for (TControl* link : std::vector<TControl*>{form->Label20, form->LblURL, form->RTFLabel1,
                                               form->RTFLabel2}) {
    Click(*link);
  }
  EXPECT_EQ(shell.volumeLaunches, 1);
  EXPECT_EQ(shell.webSites, Strings(4, kWebSiteAddress));
}

}  // namespace
}  // namespace dz
