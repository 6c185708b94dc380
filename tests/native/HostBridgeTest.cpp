// The bridge to the host through a whole night in the main window: the host
// hears of each change of the screen, the keep-awake request and the alarm's
// unmute once, not at every tick of the timers that repeat them.
#include "fakes/FakeHostBridge.h"
#include "fakes/FakeSafeguardPorts.h"
#include "native/AlarmFixture.h"

namespace dz {
namespace {

using Strings = std::vector<std::string>;

class HostBridgeNight : public AlarmFixture {
 protected:
  ~HostBridgeNight() override { form.reset(); }  // before the ports below

  void AddPorts(Platform& platform) override {
    platform.executionState = &awake;
    platform.audioEndpoint = &endpoint;
    bridged = std::make_unique<BridgedPorts>(platform, host);
  }

  FakeExecutionState awake;
  FakeAudioEndpoint endpoint;
  FakeHostBridge host;
  std::unique_ptr<BridgedPorts> bridged;
};

// --- the screen ----------------------------------------------------------------

TEST_F(HostBridgeNight, EachDarkPhaseIsOneOffAndItsEndOneOn) {
  SettingsWithSong("06", "50");
  Start(23, 10);
  Click(*form->ButtonOff);
  PassMinutes(20);
  MoveOver(*form->Label14);  // woken by hand
  PassMinutes(5);
  Click(*form->ButtonOff);
  PassUntil(6, 50, 10);  // the alarm wakes it
  PassMinutes(5);
  EXPECT_EQ(host.Count("display off"), 2);
  EXPECT_EQ(host.Count("display on"), 2);
  EXPECT_GT(PowerOffs(), 20000);  // the window's own request still comes every tick
  EXPECT_EQ(PowerOns(), 2);
}

TEST_F(HostBridgeNight, WhileDarkTheHostIsCheckedEveryTenSecondsAndNotAfter) {
  SettingsWithSong("06", "50");
  Start(23, 10);
  Click(*form->ButtonOff);
  Pass(9000);
  EXPECT_EQ(host.Count("reassert"), 0);  // the first "off" is not doubled at once
  Pass(52000);  // dark from the first tick after the click
  EXPECT_EQ(host.Count("reassert"), 6);
  MoveOver(*form->Label14);
  PassMinutes(2);
  EXPECT_EQ(host.Count("reassert"), 6);
}

TEST_F(HostBridgeNight, AProgramEndedWhileDarkLeavesTheHostScreenOn) {
  SettingsWithSong("06", "50");
  Start(23, 10);
  Click(*form->ButtonOff);
  Pass(1000);
  form.reset();
  bridged.reset();
  EXPECT_EQ(host.Changes().back(), "display on");
}

TEST_F(HostBridgeNight, WithoutATimerForTheChecksTheScreenStillGoesDarkAndNoBoxOpens) {
  SettingsWithSong("06", "50");
  Start(23, 10);
  scheduler.refuseNewTimers = true;  // Timer1 and Timer2 run already
  Click(*form->ButtonOff);
  Pass(30000);
  EXPECT_EQ(host.Changes(), (Strings{"hold", "display off"}));
  EXPECT_EQ(host.Count("reassert"), 0);
  EXPECT_EQ(Errors(), Strings{});
}

// --- staying awake -------------------------------------------------------------

TEST_F(HostBridgeNight, TheInhibitorIsHeldExactlyWhileTheSystemIsKeptAwake) {
  SettingsWithSong("06", "50");
  Start(6, 49);
  EXPECT_TRUE(awake.systemRequired);  // the alarm check runs from the start
  PassMinutes(10);                    // and the repeat after the alarm
  EXPECT_EQ(host.Count("renew"), 10);
  Type(*form->EditSnooze, "0");  // a snooze that never ends keeps nothing running
  Click(*form->btnSnooze);
  EXPECT_FALSE(awake.systemRequired);
  PassMinutes(10);
  EXPECT_EQ(host.Count("renew"), 10);  // nothing renewed once released
  Click(*form->ButtonOff);
  Pass(1000);
  form.reset();
  bridged.reset();  // the program ends
  // The alarm and its repeat at 06:55 each unmute.
  EXPECT_EQ(host.Changes(), (Strings{"hold", "unmute", "unmute", "release", "hold", "display off",
                                     "release", "display on"}));
}

// --- the sound output ------------------------------------------------------------

TEST_F(HostBridgeNight, TheAlarmUnmutesTheHostOnlyWithSoundAlarmTicked) {
  SettingsWithSong("06", "50");
  Start(6, 49);
  Tick(*form->ChkRepeat);  // unticked: no repeats, which unmute too
  Tick(*form->ChkPlay);    // unticked
  PassUntil(6, 50, 10);
  EXPECT_EQ(host.Count("unmute"), 0);
  Click(*form->ButtonOff);
  Tick(*form->ChkPlay);
  PassUntil(6, 50, 10);  // tomorrow; this system's own output says it is not muted
  EXPECT_EQ(host.Count("unmute"), 1);
  EXPECT_EQ(endpoint.unmutes, 0);
}

TEST_F(HostBridgeNight, SetVolumeOpensTheHostsVolumeControlInstead) {
  SettingsWithSong("06", "50");
  Start(23, 10);
  Click(*form->BtnVolume);
  EXPECT_EQ(host.Count("volume"), 1);
  EXPECT_EQ(shell.volumeLaunches, 0);
}

}  // namespace
}  // namespace dz
