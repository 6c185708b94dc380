// The media player control on the platform's MCI, with real files.
#include <gtest/gtest.h>

#include <cstdlib>

#include "SoundSupport.h"
#include "media/MediaPlayer.h"
#include "platform/win32/Win32Peers.h"
#include "platform/win32/Win32Runtime.h"

namespace dz {
namespace {

class SoundTest : public ::testing::Test {
 protected:
  SoundTest() : scope_(MakePlatform()), player_(form_.Player()) {
    player_.OnNotify = [this](TObject*) { ++notices_; };
  }
  static Platform MakePlatform() {
    Platform platform = win32::Win32Platform();
    win32::AddWin32ControlPorts(platform);
    return platform;
  }
  void OpenFile(const std::string& name) {
    player_.SetFileName(sound::SoundFile(name));
    player_.Open();
  }
  bool WaitForNotice(DWORD ms) {
    const int before = notices_;
    return sound::PumpUntil([&] { return notices_ > before; }, ms);
  }

  ScopedPlatform scope_;
  sound::PlayerForm form_;
  TMediaPlayer& player_;
  int notices_ = 0;
};

TEST_F(SoundTest, WavAndMp3MeasureTheirLengthInMilliseconds) {
  OpenFile("tone2s.wav");
  EXPECT_NEAR(player_.TrackLength(1), 2000, 5);
  EXPECT_TRUE(player_.PlayCapable());
  EXPECT_TRUE(player_.LiveButtons().Contains(btPlay));
  EXPECT_FALSE(player_.LiveButtons().Contains(btStop));

  OpenFile("tone2s.mp3");
  // The encoder pads the end a little.
  EXPECT_NEAR(player_.TrackLength(1), 2000, 60);
}

TEST_F(SoundTest, PlayReturnsAtOnceAndTheEndNoticeReachesTheControlsWindow) {
  OpenFile("tone2s.wav");
  ASSERT_NE(form_.PlayerWindow(), nullptr);  // where the notice goes
  player_.SetAutoRewind(false);
  player_.UpdateLiveButtons(btPlay);  // as a press of Play on the bar
  const ULONGLONG start = GetTickCount64();
  player_.Play();
  EXPECT_EQ(player_.LastError(), 0u);
  // Play does not wait for the end: the song is still short of it.
  EXPECT_LT(player_.Position(), 2000);
  ASSERT_TRUE(WaitForNotice(30000));
  EXPECT_GE(GetTickCount64() - start, 1500u);  // it played, it did not just fail
  EXPECT_EQ(player_.NotifyResult(), NotifySuccessful);
  // Stopped at the end: the bar offers Play again.
  EXPECT_TRUE(player_.LiveButtons().Contains(btPlay));
  EXPECT_FALSE(player_.LiveButtons().Contains(btStop));
}

TEST_F(SoundTest, StopAbortsAndRewindGoesBackToTheStart) {
  OpenFile("tone2s.mp3");
  player_.SetAutoRewind(false);
  player_.Play();
  sound::PumpUntil([] { return false; }, 500);
  player_.Stop();
  EXPECT_EQ(player_.LastError(), 0u);
  ASSERT_TRUE(WaitForNotice(5000));
  EXPECT_EQ(player_.NotifyResult(), NotifyAborted);
  player_.Rewind();
  EXPECT_EQ(player_.Position(), 0);
  EXPECT_EQ(player_.Mode(), mpStopped);
}

TEST_F(SoundTest, OpenWhileOpenReplacesTheDevice) {
  OpenFile("tone2s.wav");
  OpenFile("tone2s.wav");
  EXPECT_TRUE(player_.IsOpen());
  EXPECT_NE(player_.DeviceIdent(), 0);
  EXPECT_NEAR(player_.TrackLength(1), 2000, 5);
}

TEST_F(SoundTest, ATextFileNamedMp3IsRefusedWithThePlatformsText) {
  try {
    OpenFile("text.mp3");
    FAIL() << "opened a text file";
  } catch (const EMCIDeviceError& e) {
    EXPECT_NE(player_.LastError(), 0u);
    EXPECT_EQ(e.Message(), player_.ErrorText());
    EXPECT_NE(e.Message(), "Unknown error code");
    EXPECT_FALSE(e.Message().empty());
  }
  EXPECT_FALSE(player_.IsOpen());
  EXPECT_THROW(player_.Play(), EMCIDeviceError);
}

}  // namespace
}  // namespace dz
