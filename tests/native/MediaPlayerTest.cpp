#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "fakes/FakeMci.h"
#include "media/MediaPlayer.h"
#include "runtime/Platform.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"

namespace dz {
namespace {

using namespace mci;

constexpr std::uintptr_t kHostWindow = 0x4242;
constexpr std::uint32_t kModeStopped = 525, kModePlaying = 526, kModePaused = 529;

// The player's window: its handle is the callback of the requests, and it
// counts the repaints asked of it.
struct RecordingPeer final : ControlPeer {
  void Changed(PeerChange) override {}
  void Invalidate(const TRect&) override { ++repaints; }
  void SetFocus() override {}
  std::uintptr_t NativeHandle() const override { return kHostWindow; }
  int repaints = 0;
};

struct RecordingPeerFactory final : PeerFactory {
  std::unique_ptr<ControlPeer> CreatePeer(TWinControl&) override {
    auto peer = std::make_unique<RecordingPeer>();
    made = peer.get();
    return peer;
  }
  RecordingPeer* made = nullptr;
};

class MediaPlayerTest : public ::testing::Test {
 protected:
  MediaPlayerTest() : scope_(MakePlatform(mci_, peers_)) {
    player_ = std::make_unique<TMediaPlayer>(nullptr);
    player_->CreatePeers();
    player_->SetFileName("C:\\Alarm\\song.mp3");
    mci_.errorTexts[275] = "Cannot find the specified file.";
  }
  static Platform MakePlatform(FakeMci& mci, PeerFactory& peers) {
    Platform p;
    p.mci = &mci;
    p.peers = &peers;
    return p;
  }
  TMediaPlayer& player() { return *player_; }
  int Repaints() const { return peers_.made->repaints; }
  void OpenAndClear() {
    player().Open();
    mci_.Clear();
    peers_.made->repaints = 0;
  }
  const MciRequest& Last() const { return mci_.requests.back(); }

  FakeMci mci_;
  RecordingPeerFactory peers_;
  ScopedPlatform scope_;
  std::unique_ptr<TMediaPlayer> player_;
};

void ExpectNoDevice(const std::function<void()>& call) {
  try {
    call();
    ADD_FAILURE() << "no exception";
  } catch (const EMCIDeviceError& e) {
    EXPECT_EQ(e.Message(), "No MCI device open");
    EXPECT_STREQ(e.ClassName(), "EMCIDeviceError");
  }
}

// --- Open ------------------------------------------------------------------

TEST_F(MediaPlayerTest, OpenSendsItsRequestsInOrderWithTheirFlags) {
  player().Open();
  ASSERT_EQ(mci_.Commands(), (std::vector<std::uint32_t>{kOpen, kStatus, kGetDevCaps, kGetDevCaps,
                                                          kGetDevCaps, kGetDevCaps, kGetDevCaps,
                                                          kWhere, kStatus}));
  const MciRequest& open = mci_.requests[0];
  EXPECT_EQ(open.device, 0);
  EXPECT_EQ(open.flags, 0x0202u);  // wait, element
  EXPECT_EQ(open.params.elementName, "C:\\Alarm\\song.mp3");
  EXPECT_EQ(open.params.deviceType, "");
  EXPECT_EQ(open.params.callback, kHostWindow);

  EXPECT_EQ(mci_.requests[1].flags, 0x0102u);
  EXPECT_EQ(mci_.requests[1].params.item, kStatusLength);
  const std::uint32_t capItems[] = {kGetDevCapsCanPlay, kGetDevCapsCanRecord, kGetDevCapsCanEject,
                                    kGetDevCapsHasVideo, kGetDevCapsDeviceType};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(mci_.requests[2 + i].flags, 0x0102u);
    EXPECT_EQ(mci_.requests[2 + i].params.item, capItems[i]);
    EXPECT_EQ(mci_.requests[2 + i].device, 1);
  }
  EXPECT_EQ(mci_.requests[7].flags, kWhereSource);
  EXPECT_EQ(mci_.requests[8].params.item, kStatusMode);

  EXPECT_TRUE(player().IsOpen());
  EXPECT_EQ(player().DeviceIdent(), 1);
  EXPECT_EQ(player().StepFrames(), 200);
  EXPECT_TRUE(player().PlayCapable());
  EXPECT_FALSE(player().StepCapable());
  EXPECT_EQ(player().LiveButtons(), (TButtonSet{btNext, btPrev, btPlay}));
  EXPECT_EQ(player().LiveFlags(), (TButtonSet{btNext, btPrev, btPlay}));
  EXPECT_GT(Repaints(), 0);
}

TEST_F(MediaPlayerTest, ForcedTypeAndShareableChangeTheOpenFlags) {
  player().SetDeviceType(dtWaveAudio);
  player().SetShareable(true);
  player().Open();
  EXPECT_EQ(mci_.requests[0].flags, 0x2102u);  // wait, type, shareable; no element flag
  EXPECT_EQ(mci_.requests[0].params.deviceType, "WaveAudio");
  EXPECT_EQ(mci_.requests[0].params.elementName, "C:\\Alarm\\song.mp3");
}

TEST_F(MediaPlayerTest, CdAudioGetsTheTrackFormatWithANotice) {
  player().SetDeviceType(dtCDAudio);
  player().Open();
  ASSERT_EQ(mci_.Count(kSet), 1);
  const auto set = std::find_if(mci_.requests.begin(), mci_.requests.end(),
                                [](const MciRequest& r) { return r.command == kSet; });
  EXPECT_EQ(set->flags, 0x0401u);
  EXPECT_EQ(set->params.timeFormat, kFormatTmsf);
  EXPECT_EQ(set->params.callback, kHostWindow);
}

TEST_F(MediaPlayerTest, CapabilitiesDecideTheLiveButtonsAndOnlyTheLowByteCounts) {
  mci_.caps[kGetDevCapsCanRecord] = 0x101;
  mci_.caps[kGetDevCapsCanEject] = 0x100;  // low byte 0: not capable
  mci_.caps[kGetDevCapsDeviceType] = kDevTypeDigitalVideo;
  player().Open();
  EXPECT_TRUE(player().RecordCapable());
  EXPECT_FALSE(player().EjectCapable());
  EXPECT_TRUE(player().StepCapable());
  EXPECT_EQ(player().LiveButtons(), (TButtonSet{btNext, btPrev, btStep, btBack, btPlay, btRecord}));
}

TEST_F(MediaPlayerTest, ADeviceAlreadyPlayingOffersStopAndPause) {
  mci_.SetMode(kModePlaying);
  player().Open();
  EXPECT_EQ(player().LiveButtons(), (TButtonSet{btNext, btPrev, btPause, btStop}));
}

// A windowed control whose window is 0x777, to show a video in.
std::unique_ptr<TPanel> MakeDisplay() {
  struct WindowPeer final : ControlPeer {
    void Changed(PeerChange) override {}
    void Invalidate(const TRect&) override {}
    void SetFocus() override {}
    std::uintptr_t NativeHandle() const override { return 0x777; }
  };
  struct Factory final : PeerFactory {
    std::unique_ptr<ControlPeer> CreatePeer(TWinControl&) override { return std::make_unique<WindowPeer>(); }
  } factory;
  Platform platform = CurrentPlatform();
  platform.peers = &factory;
  ScopedPlatform scope(platform);
  auto display = std::make_unique<TPanel>(nullptr);
  display->CreatePeers();
  return display;
}

TEST_F(MediaPlayerTest, VideoDevicesShowInTheDisplayUntilItIsDestroyed) {
  auto display = MakeDisplay();
  player().SetDisplay(display.get());
  EXPECT_EQ(mci_.requests.size(), 0u);  // nothing open: only stored
  mci_.caps[kGetDevCapsHasVideo] = 1;
  mci_.sourceRect = {0, 0, 320, 240};
  mci_.destinationRect = {10, 20, 170, 140};
  player().Open();
  const auto commands = mci_.Commands();
  ASSERT_EQ(commands.size(), 11u);
  EXPECT_EQ(commands[8], kWindow);
  EXPECT_EQ(mci_.requests[8].flags, 0x10002u);
  EXPECT_EQ(mci_.requests[8].params.window, 0x777u);
  EXPECT_EQ(mci_.requests[9].flags, kWhereDestination);
  EXPECT_EQ(player().VideoWidth(), 160);
  EXPECT_EQ(player().VideoHeight(), 120);

  // The picture goes back to the device's own window before the display's
  // window goes, and the player forgets the control.
  mci_.Clear();
  display.reset();
  ASSERT_EQ(mci_.Commands(), std::vector<std::uint32_t>{kWindow});
  EXPECT_EQ(Last().params.window, 0u);
  EXPECT_EQ(player().Display(), nullptr);
}

TEST_F(MediaPlayerTest, ARefusedDisplayIsForgotten) {
  mci_.caps[kGetDevCapsHasVideo] = 1;
  player().Open();
  auto display = MakeDisplay();
  mci_.FailNext(kWindow, 263);
  player().SetDisplay(display.get());
  EXPECT_EQ(player().Display(), nullptr);
  EXPECT_EQ(player().LastError(), 263u);
}

TEST_F(MediaPlayerTest, ADisplayOutlivingThePlayerHoldsNothingOfIt) {
  auto display = MakeDisplay();
  player().SetDisplay(display.get());
  player_.reset();
  mci_.Clear();
  display.reset();  // must not tell the player that is gone
  EXPECT_TRUE(mci_.requests.empty());
}

TEST_F(MediaPlayerTest, AFailedOpenRaisesTheDevicesTextAndLeavesTheControlClosed) {
  mci_.FailNext(kOpen, 275);
  try {
    player().Open();
    FAIL() << "no exception";
  } catch (const EMCIDeviceError& e) {
    EXPECT_EQ(e.Message(), "Cannot find the specified file.");
  }
  EXPECT_EQ(player().LastError(), 275u);
  EXPECT_FALSE(player().IsOpen());
  EXPECT_EQ(mci_.requests.size(), 1u);
  EXPECT_TRUE(player().LiveFlags().Empty());
  mci_.Clear();
  ExpectNoDevice([&] { player().Play(); });
  EXPECT_TRUE(mci_.requests.empty());
}

TEST_F(MediaPlayerTest, AnErrorWithoutPlatformTextIsAnUnknownErrorCode) {
  mci_.FailNext(kOpen, 999);
  try {
    player().Open();
    FAIL() << "no exception";
  } catch (const EMCIDeviceError& e) {
    EXPECT_EQ(e.Message(), "Unknown error code");
  }
}

TEST_F(MediaPlayerTest, OpenWhileOpenClosesTheOldDeviceFirst) {
  player().Open();
  mci_.Clear();
  player().Open();
  ASSERT_GE(mci_.requests.size(), 2u);
  EXPECT_EQ(mci_.requests[0].command, kClose);
  EXPECT_EQ(mci_.requests[0].device, 1);
  EXPECT_EQ(mci_.requests[0].flags, kWait);
  EXPECT_EQ(mci_.requests[1].command, kOpen);
  EXPECT_EQ(player().DeviceIdent(), 2);
  EXPECT_EQ(mci_.openDevices, std::vector<std::uint16_t>{2});
}

TEST_F(MediaPlayerTest, AFailedReopenAfterTheCloseLeavesNothingOpen) {
  player().Open();
  mci_.FailNext(kOpen, 275);
  EXPECT_THROW(player().Open(), EMCIDeviceError);
  EXPECT_FALSE(player().IsOpen());
  EXPECT_EQ(player().DeviceIdent(), 0);
  EXPECT_TRUE(player().LiveButtons().Empty());
  EXPECT_TRUE(mci_.openDevices.empty());
}

// --- Play, Stop, Rewind, TrackLength ---------------------------------------

TEST_F(MediaPlayerTest, ProgramSettingsPlayWithANoticeOnly) {
  player().SetAutoRewind(false);
  OpenAndClear();
  player().Play();
  ASSERT_EQ(mci_.Commands(), std::vector<std::uint32_t>{kPlay});
  EXPECT_EQ(Last().flags, 0x0001u);
  EXPECT_EQ(Last().device, 1);
  EXPECT_EQ(Last().params.callback, kHostWindow);
  EXPECT_EQ(player().LiveButtons(), (TButtonSet{btNext, btPrev, btPlay}));  // Play leaves it
}

TEST_F(MediaPlayerTest, AutoRewindRewindsOnlyAtTheEndAndWithoutOverrides) {
  OpenAndClear();
  mci_.status[kStatusPosition] = 2000;  // at the end
  player().Play();
  EXPECT_EQ(mci_.Commands(), (std::vector<std::uint32_t>{kStatus, kStatus, kSeek, kPlay}));
  EXPECT_EQ(mci_.requests[0].params.item, kStatusPosition);

  mci_.Clear();
  player().SetStartPos(100);
  player().SetEndPos(900);
  player().Play();
  ASSERT_EQ(mci_.Commands(), std::vector<std::uint32_t>{kPlay});
  EXPECT_EQ(Last().flags, kNotify | kFrom | kTo);
  EXPECT_EQ(Last().params.from, 100u);
  EXPECT_EQ(Last().params.to, 900u);

  player().SetAutoRewind(false);
  player().Play();  // the positions were used up
  EXPECT_EQ(Last().flags, kNotify);
}

TEST_F(MediaPlayerTest, StopWaitsAndRewindSeeksWithoutRecording) {
  OpenAndClear();
  mci_.FailNext(kStop, 263);
  player().Stop();
  EXPECT_EQ(Last().flags, 0x0002u);
  EXPECT_EQ(Last().params.callback, kHostWindow);
  EXPECT_EQ(player().LastError(), 263u);  // recorded, not raised

  player().Rewind();
  EXPECT_EQ(Last().command, kSeek);
  EXPECT_EQ(Last().flags, 0x0102u);
  EXPECT_EQ(player().LastError(), 263u);  // the seek's success is not recorded

  mci_.FailNext(kSeek, 264);
  player().Rewind();
  EXPECT_EQ(player().LastError(), 263u);
}

TEST_F(MediaPlayerTest, RewindLeavesTheOneShotOverridesArmed) {
  OpenAndClear();
  player().SetWait(false);
  player().Rewind();
  EXPECT_EQ(Last().flags, 0x0102u);
  player().Stop();
  EXPECT_EQ(Last().flags, 0u);  // the override reached the stop
}

TEST_F(MediaPlayerTest, TrackLengthAsksForTheTrackAndARefusalCountsZero) {
  mci_.trackStatus[{kStatusLength, 3}] = 184000;
  OpenAndClear();
  EXPECT_EQ(player().TrackLength(3), 184000);
  EXPECT_EQ(Last().command, kStatus);
  EXPECT_EQ(Last().flags, 0x0112u);
  EXPECT_EQ(Last().params.track, 3u);
  EXPECT_EQ(Last().params.item, kStatusLength);

  mci_.FailNext(kStop, 263);
  player().Stop();
  mci_.FailNext(kStatus, 264);
  EXPECT_EQ(player().TrackLength(3), 0);
  EXPECT_EQ(player().LastError(), 263u);
}

TEST_F(MediaPlayerTest, WithoutADeviceOperationsRaiseAndSendNothing) {
  ExpectNoDevice([&] { player().Play(); });
  ExpectNoDevice([&] { player().Stop(); });
  ExpectNoDevice([&] { player().Rewind(); });
  ExpectNoDevice([&] { player().TrackLength(1); });
  ExpectNoDevice([&] { player().Pause(); });
  ExpectNoDevice([&] { player().Resume(); });
  ExpectNoDevice([&] { player().Next(); });
  ExpectNoDevice([&] { player().Previous(); });
  ExpectNoDevice([&] { player().Step(); });
  ExpectNoDevice([&] { player().Back(); });
  ExpectNoDevice([&] { player().Record(); });
  ExpectNoDevice([&] { player().Eject(); });
  ExpectNoDevice([&] { player().Length(); });
  ExpectNoDevice([&] { player().TrackCount(); });
  ExpectNoDevice([&] { player().TimeFormat(); });
  player().Close();
  EXPECT_TRUE(mci_.requests.empty());
  // The mode and position queries are sent anyway, to no device.
  player().Mode();
  player().Position();
  player().TrackStart(1);
  EXPECT_EQ(mci_.Count(kStatus), 3);
  EXPECT_EQ(Last().device, 0);
}

// --- framing of the other requests ----------------------------------------

TEST_F(MediaPlayerTest, OneShotOverridesChangeOneRequestOnly) {
  OpenAndClear();
  player().SetWait(false);
  player().SetNotify(true);
  player().Stop();
  EXPECT_EQ(Last().flags, kNotify);
  player().Stop();
  EXPECT_EQ(Last().flags, kWait);

  player().SetAutoRewind(false);
  player().SetNotify(false);
  player().SetWait(true);
  player().Play();
  EXPECT_EQ(Last().flags, kWait);
  player().Play();
  EXPECT_EQ(Last().flags, kNotify);
}

TEST_F(MediaPlayerTest, AFailedResumePlaysWithTheOverridesStillArmed) {
  OpenAndClear();
  player().SetAutoRewind(false);
  player().SetWait(true);
  mci_.FailNext(kResume, 263);
  player().Resume();
  ASSERT_EQ(mci_.Commands(), (std::vector<std::uint32_t>{kResume, kPlay}));
  EXPECT_EQ(mci_.requests[0].flags, kNotify | kWait);
  EXPECT_EQ(mci_.requests[1].flags, kNotify | kWait);
  player().Stop();
  EXPECT_EQ(Last().flags, kWait);
}

TEST_F(MediaPlayerTest, PauseFollowsTheMode) {
  OpenAndClear();
  mci_.SetMode(kModePlaying);
  player().Pause();
  EXPECT_EQ(mci_.Commands(), (std::vector<std::uint32_t>{kStatus, kPause}));
  EXPECT_EQ(Last().flags, kWait);
  mci_.Clear();
  mci_.SetMode(kModePaused);
  player().Pause();
  EXPECT_EQ(mci_.Commands(), (std::vector<std::uint32_t>{kStatus, kResume}));
  mci_.Clear();
  mci_.SetMode(kModeStopped);
  player().Pause();
  EXPECT_EQ(mci_.Commands(), std::vector<std::uint32_t>{kStatus});
}

TEST_F(MediaPlayerTest, NextAndPreviousSeekToTheEndsOutsideTrackFormat) {
  OpenAndClear();
  player().Next();
  EXPECT_EQ(Last().command, kSeek);
  EXPECT_EQ(Last().flags, kWait | kSeekToEnd);
  player().Previous();
  EXPECT_EQ(Last().flags, kWait | kSeekToStart);
}

TEST_F(MediaPlayerTest, PreviousInTheFirstSecondOfATrackGoesBackOneTrack) {
  mci_.status[kStatusTimeFormat] = kFormatTmsf;
  mci_.status[kStatusNumberOfTracks] = 5;
  mci_.trackStatus[{kStatusPosition, 3}] = 0x00020103;  // track 3 at 1:02
  mci_.trackStatus[{kStatusPosition, 2}] = 0x00000002;
  OpenAndClear();
  mci_.status[kStatusPosition] = 0x05020103;  // 1:02, frame 5: still the first second
  player().Previous();
  EXPECT_EQ(Last().flags, kWait | kTo);
  EXPECT_EQ(Last().params.to, 0x00000002u);

  mci_.status[kStatusPosition] = 0x00030103;  // a second later
  player().Previous();
  EXPECT_EQ(Last().params.to, 0x00020103u);
}

TEST_F(MediaPlayerTest, NextWhilePlayingPlaysFromTheNextTrack) {
  mci_.status[kStatusTimeFormat] = kFormatTmsf;
  mci_.status[kStatusNumberOfTracks] = 5;
  mci_.trackStatus[{kStatusPosition, 4}] = 0x00000004;
  OpenAndClear();
  player().SetAutoRewind(false);
  player().SetPressedButton(btNext);
  mci_.status[kStatusPosition] = 0x00100003;
  mci_.SetMode(kModePlaying);
  player().Next();
  EXPECT_EQ(Last().command, kPlay);
  EXPECT_EQ(Last().flags, kNotify | kFrom);
  EXPECT_EQ(Last().params.from, 0x00000004u);
  EXPECT_EQ(player().PressedButton(), btPlay);
}

TEST_F(MediaPlayerTest, StepBackAndEjectOnlyForCapableDevices) {
  OpenAndClear();
  player().Step();
  player().Back();
  player().Eject();
  EXPECT_TRUE(mci_.requests.empty());

  mci_.caps[kGetDevCapsHasVideo] = 1;
  mci_.caps[kGetDevCapsCanEject] = 1;
  OpenAndClear();
  player().SetAutoRewind(false);
  player().Step();
  EXPECT_EQ(Last().command, kStep);
  EXPECT_EQ(Last().flags, kWait | kStepFrames);
  EXPECT_EQ(Last().params.frames, 200u);
  player().Back();
  EXPECT_EQ(Last().flags, kWait | kStepFrames | kStepReverse);
  player().Eject();
  EXPECT_EQ(Last().command, kSet);
  EXPECT_EQ(Last().flags, kWait | kSetDoorOpen);
}

TEST_F(MediaPlayerTest, ModeOutsideTheSevenReadsNotReady) {
  OpenAndClear();
  mci_.SetMode(kModePaused);
  EXPECT_EQ(player().Mode(), mpPaused);
  mci_.FailNext(kStatus, 263);
  EXPECT_EQ(player().Mode(), mpNotReady);
  EXPECT_EQ(player().LastError(), 263u);  // the mode query is recorded
  mci_.SetMode(12);
  EXPECT_EQ(player().Mode(), mpNotReady);
}

// --- Close and destruction -------------------------------------------------

TEST_F(MediaPlayerTest, AFailedCloseKeepsTheDeviceAndASuccessfulOneEmptiesTheBar) {
  OpenAndClear();
  mci_.FailNext(kClose, 263);
  player().Close();
  EXPECT_TRUE(player().IsOpen());
  EXPECT_EQ(player().LastError(), 263u);
  EXPECT_EQ(player().LiveFlags(), (TButtonSet{btNext, btPrev, btPlay}));
  player().Close();
  EXPECT_FALSE(player().IsOpen());
  EXPECT_EQ(player().DeviceIdent(), 0);
  EXPECT_TRUE(player().LiveFlags().Empty());
}

TEST_F(MediaPlayerTest, ADeviceThatRefusedToCloseIsClosedWhenAnotherSongIsOpened) {
  OpenAndClear();
  mci_.FailNext(kClose, 263);
  player().Open();  // the song file must not stay held by the lost device
  EXPECT_EQ(mci_.openDevices, std::vector<std::uint16_t>{2});
  EXPECT_EQ(player().DeviceIdent(), 2);
}

TEST_F(MediaPlayerTest, DestructionClosesWaitingAndNeverRaises) {
  OpenAndClear();
  mci_.FailNext(kClose, 263);
  EXPECT_NO_THROW(player_.reset());
  ASSERT_EQ(mci_.Commands(), std::vector<std::uint32_t>{kClose});
  EXPECT_EQ(Last().flags, kWait);
  EXPECT_EQ(Last().device, 1);
  EXPECT_EQ(Last().params.callback, 0u);  // no window is made for it
}

TEST_F(MediaPlayerTest, DestructionWithoutAPortDoesNotRaise) {
  player().Open();
  Platform none;
  ScopedPlatform bare(none);
  EXPECT_NO_THROW(player_.reset());
}

// --- notifications and live buttons ----------------------------------------

TEST_F(MediaPlayerTest, NotifyCodesSetTheResultAndUnknownCodesLeaveIt) {
  OpenAndClear();
  int notices = 0;
  player().OnNotify = [&](TObject* sender) {
    EXPECT_EQ(sender, &player());
    ++notices;
  };
  player().Notify(kNotifySuperseded);
  EXPECT_EQ(player().NotifyResult(), NotifySuperseded);
  player().Notify(3);
  EXPECT_EQ(player().NotifyResult(), NotifySuperseded);
  player().Notify(kNotifyAborted);
  EXPECT_EQ(player().NotifyResult(), NotifyAborted);
  player().Notify(kNotifyFailure);
  EXPECT_EQ(player().NotifyResult(), NotifyFailure);
  player().Notify(kNotifySuccessful);
  EXPECT_EQ(player().NotifyResult(), NotifySuccessful);
  EXPECT_EQ(notices, 5);
}

TEST_F(MediaPlayerTest, ANoticeWhileStoppedOffersPlayAgain) {
  OpenAndClear();
  player().UpdateLiveButtons(btPlay);  // as after a press of Play on the bar
  EXPECT_EQ(player().LiveButtons(), (TButtonSet{btNext, btPrev, btPause, btStop}));
  player().Notify(kNotifySuccessful);
  EXPECT_EQ(player().LiveButtons(), (TButtonSet{btNext, btPrev, btPlay}));
  EXPECT_EQ(player().LiveFlags(), (TButtonSet{btNext, btPrev, btPlay}));
  EXPECT_GT(Repaints(), 0);
  EXPECT_EQ(player().LastError(), 0u);
}

TEST_F(MediaPlayerTest, ANoticeWhilePlayingOrWithoutAutoEnableLeavesTheBar) {
  OpenAndClear();
  player().UpdateLiveButtons(btPlay);
  const TButtonSet playing = player().LiveButtons();
  mci_.SetMode(kModePlaying);
  bool fired = false;
  player().OnNotify = [&](TObject*) { fired = true; };
  player().Notify(kNotifyAborted);
  EXPECT_EQ(player().LiveButtons(), playing);
  EXPECT_TRUE(fired);
  EXPECT_EQ(player().NotifyResult(), NotifyAborted);
  EXPECT_EQ(Repaints(), 0);

  mci_.SetMode(kModeStopped);
  player().SetAutoEnable(false);
  mci_.Clear();
  player().Notify(kNotifySuccessful);
  EXPECT_TRUE(mci_.requests.empty());  // no mode query either
  EXPECT_EQ(player().LiveButtons(), playing);
}

TEST_F(MediaPlayerTest, LiveButtonsFollowTheKindActedOn) {
  mci_.caps[kGetDevCapsCanRecord] = 1;
  OpenAndClear();
  player().UpdateLiveButtons(btRecord);
  EXPECT_EQ(player().LiveButtons(), (TButtonSet{btNext, btPrev, btPause, btStop}));
  player().UpdateLiveButtons(btPause);
  EXPECT_EQ(player().LiveButtons(), (TButtonSet{btNext, btPrev, btPause, btStop, btPlay, btRecord}));
  player().UpdateLiveButtons(btEject);
  EXPECT_EQ(player().LiveButtons(), (TButtonSet{btNext, btPrev, btPlay, btRecord}));
}

TEST_F(MediaPlayerTest, ButtonSetsDefaultToAllNineAndAutoEnableReappliesTheLiveSet) {
  EXPECT_EQ(player().VisibleButtons().Bits(), 0x01FF);
  EXPECT_EQ(TButtonSet::FromBits(0xFFFF).Bits(), 0x01FF);
  OpenAndClear();
  player().UpdateLiveButtons(btPlay);
  player().SetAutoEnable(true);  // unchanged: nothing
  EXPECT_EQ(Repaints(), 0);
  player().SetAutoEnable(false);
  EXPECT_EQ(Repaints(), 1);
  player().SetAutoEnable(true);
  EXPECT_EQ(player().LiveFlags(), (TButtonSet{btNext, btPrev, btPause, btStop}));
}

TEST_F(MediaPlayerTest, FiringAButtonRunsClickThenTheActionThenPostClick) {
  player().SetAutoRewind(false);
  OpenAndClear();
  std::vector<std::string> order;
  player().OnClick = [&](TObject*, TMPBtnType button, bool& doDefault) {
    order.push_back("click");
    EXPECT_EQ(button, btStop);
    EXPECT_TRUE(doDefault);
    if (button == btStop) player().Rewind();
  };
  player().OnPostClick = [&](TObject*, TMPBtnType) { order.push_back("post"); };
  player().SetPressedButton(btStop);
  player().FireButton();
  EXPECT_EQ(order, (std::vector<std::string>{"click", "post"}));
  EXPECT_EQ(mci_.Commands(), (std::vector<std::uint32_t>{kSeek, kStop}));

  mci_.Clear();
  order.clear();
  player().OnClick = [&](TObject*, TMPBtnType, bool& doDefault) { doDefault = false; };
  player().FireButton();
  EXPECT_TRUE(order.empty());
  EXPECT_TRUE(mci_.requests.empty());
}

TEST_F(MediaPlayerTest, AutoOpenOpensWhenLoaded) {
  player().Loaded();
  EXPECT_TRUE(mci_.requests.empty());
  player().SetAutoOpen(true);
  player().Loaded();
  EXPECT_TRUE(player().IsOpen());
}

// --- the control and its window ------------------------------------------

// Stands in for the native windows: the player's window is 0x5151.
class WindowFactory final : public PeerFactory {
 public:
  struct PlainPeer : ControlPeer {
    void Changed(PeerChange) override {}
    void Invalidate(const TRect&) override {}
    void SetFocus() override {}
  };
  struct PlayerPeer final : PlainPeer {
    explicit PlayerPeer(WindowFactory& factory) : factory_(factory) {}
    ~PlayerPeer() override {
      factory_.requestsAtPeerEnd = factory_.mci ? factory_.mci->requests.size() : 99;
    }
    std::uintptr_t NativeHandle() const override { return 0x5151; }
    WindowFactory& factory_;
  };

  std::unique_ptr<ControlPeer> CreatePeer(TWinControl& control) override {
    if (refuseWindows) return nullptr;
    if (dynamic_cast<TMediaPlayer*>(&control)) {
      // A child window needs its parent's.
      if (!control.Parent() || !control.Parent()->Peer()) return nullptr;
      return std::make_unique<PlayerPeer>(*this);
    }
    return std::make_unique<PlainPeer>();
  }
  bool refuseWindows = false;
  FakeMci* mci = nullptr;
  std::size_t requestsAtPeerEnd = 99;
};

class MediaPlayerControlTest : public ::testing::Test {
 protected:
  MediaPlayerControlTest() : scope_(MakePlatform()) {
    form_ = std::make_unique<TForm>(nullptr);
    player_ = new TMediaPlayer(form_.get());
    player_->SetParent(form_.get());
    player_->SetFileName("C:\\Alarm\\song.mp3");
  }
  Platform MakePlatform() {
    Platform p;
    p.mci = &mci_;
    p.peers = &factory_;
    factory_.mci = &mci_;
    return p;
  }
  FakeMci mci_;
  WindowFactory factory_;
  ScopedPlatform scope_;
  std::unique_ptr<TForm> form_;
  TMediaPlayer* player_ = nullptr;
};

TEST_F(MediaPlayerControlTest, IsATabStopOf240By30AndTheEventsSenderByDefault) {
  TMediaPlayer player(nullptr);
  EXPECT_STREQ(player.ClassName(), "TMediaPlayer");
  EXPECT_EQ(player.BoundsRect(), Bounds(0, 0, 240, 30));
  EXPECT_TRUE(player.TabStop());
  EXPECT_TRUE(player.IsWindowed());
  TObject* clicked = nullptr;
  TObject* notified = nullptr;
  player.OnClick = [&](TObject* sender, TMPBtnType, bool& doDefault) {
    clicked = sender;
    doDefault = false;
  };
  player.OnNotify = [&](TObject* sender) { notified = sender; };
  player.SetAutoEnable(false);
  player.FireButton();
  player.Notify(kNotifySuccessful);
  EXPECT_EQ(clicked, &player);
  EXPECT_EQ(notified, &player);
}

TEST_F(MediaPlayerControlTest, RequestsBeforeTheWindowExistsGoWithoutACallbackWindow) {
  factory_.refuseWindows = true;  // making a window would fail
  EXPECT_NO_THROW(player_->Open());
  EXPECT_TRUE(player_->IsOpen());
  EXPECT_EQ(player_->Peer(), nullptr) << "no window is made for a request";
  EXPECT_EQ(mci_.requests.front().params.callback, 0u);
  factory_.refuseWindows = false;
  form_->Show();
  player_->Play();
  EXPECT_EQ(mci_.requests.back().params.callback, 0x5151u);
}

TEST_F(MediaPlayerControlTest, WithoutAPeerFactoryTheCallbackIsZero) {
  Platform bare;
  bare.mci = &mci_;
  ScopedPlatform scope(bare);
  player_->Open();
  EXPECT_EQ(player_->Peer(), nullptr);
  EXPECT_EQ(mci_.requests.front().params.callback, 0u);
  EXPECT_TRUE(player_->IsOpen());
}

TEST_F(MediaPlayerControlTest, TheWindowGoesBeforeTheDeviceIsClosed) {
  form_->Show();
  player_->Open();
  mci_.Clear();
  delete player_;  // taken off the form while the form stays
  EXPECT_EQ(factory_.requestsAtPeerEnd, 0u);  // the close came after
  ASSERT_EQ(mci_.Commands(), std::vector<std::uint32_t>{kClose});
  EXPECT_EQ(mci_.requests.back().params.callback, 0u);
}

}  // namespace
}  // namespace dz
