// The alarm's safeguards on the real platform. Under Wine the idle-sleep
// request is a stub, a wake timer cannot resume anything and the endpoint's
// mute is Wine's own; what is checked is that each call is answered without
// harm and that what can be observed is right.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>
// After windows.h.
#include <endpointvolume.h>
#include <mmdeviceapi.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "alarm/SafeguardPorts.h"
#include "fakes/FakeDialogs.h"
#include "media/WakeupSound.h"
#include "platform/win32/AppWindow.h"
#include "platform/win32/SystemHandles.h"
#include "platform/win32/Win32Power.h"
#include "platform/win32/Win32SoundOutput.h"
#include "runtime/Exceptions.h"
#include "runtime/Platform.h"

namespace dz::win32 {
namespace {

LocalTime LocalNowPlus(int minutes) {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER t;
  t.LowPart = now.dwLowDateTime;
  t.HighPart = now.dwHighDateTime;
  t.QuadPart += static_cast<ULONGLONG>(minutes) * 60 * 10000000;
  now.dwLowDateTime = t.LowPart;
  now.dwHighDateTime = t.HighPart;
  SYSTEMTIME utc, local;
  FileTimeToSystemTime(&now, &utc);
  SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
  LocalTime when;
  when.year = local.wYear;
  when.month = local.wMonth;
  when.day = local.wDay;
  when.dayOfWeek = local.wDayOfWeek;
  when.hour = local.wHour;
  when.minute = local.wMinute;
  return when;
}

// --- power broadcasts ---------------------------------------------------------

class PowerBroadcasts : public ::testing::Test {
 protected:
  PowerBroadcasts() : scope_(MakePlatform(dialogs_)) {}
  ~PowerBroadcasts() override { Win32PowerEvents::Instance().SetHandler({}); }
  static Platform MakePlatform(FakeDialogs& dialogs) {
    Platform platform;
    platform.dialogs = &dialogs;
    return platform;
  }
  FakeDialogs dialogs_;
  ScopedPlatform scope_;
};

TEST_F(PowerBroadcasts, SleepAndBothResumesReachTheHandlerThroughTheApplicationWindow) {
  std::vector<PowerChange> heard;
  Win32PowerEvents::Instance().SetHandler([&](PowerChange change) { heard.push_back(change); });
  HWND app = ApplicationWindowHandle();
  ASSERT_NE(app, nullptr);
  EXPECT_EQ(SendMessageA(app, WM_POWERBROADCAST, PBT_APMSUSPEND, 0), TRUE);
  SendMessageA(app, WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE, 0);  // not for the alarm
  SendMessageA(app, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
  SendMessageA(app, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
  EXPECT_EQ(heard, (std::vector<PowerChange>{PowerChange::Suspending, PowerChange::Resumed,
                                             PowerChange::Resumed}));
}

TEST_F(PowerBroadcasts, AFailingHandlerIsReportedAndTheMessageIsAnswered) {
  Win32PowerEvents::Instance().SetHandler(
      [](PowerChange) { throw Exception("No MCI device open"); });
  EXPECT_EQ(SendMessageA(ApplicationWindowHandle(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0),
            TRUE);
  EXPECT_EQ(dialogs_.ErrorTexts(), (std::vector<std::string>{"No MCI device open."}));
}

// --- keeping awake and waking -------------------------------------------------

TEST(WakeServices, TheRealCallsAreAnsweredAndAWakeTimerCanBeMovedAndCancelled) {
  Win32ExecutionState state;
  state.SetSystemRequired(true);
  state.SetSystemRequired(false);

  Win32WakeTimer timer;
  // Set (where the system can resume) or refused (Wine); either way a
  // second time moves it and a cancel ends it.
  const bool first = timer.WakeAt(LocalNowPlus(60));
  std::printf("a wake timer that resumes the system: %s\n", first ? "set" : "refused");
  EXPECT_EQ(timer.WakeAt(LocalNowPlus(120)), first);
  timer.Cancel();
  timer.Cancel();
}

TEST(WakeServices, ADateThatDoesNotExistSetsNoTimer) {
  Win32WakeTimer timer;
  LocalTime impossible;
  impossible.year = 2027;
  impossible.month = 2;
  impossible.day = 30;
  impossible.hour = 6;
  impossible.minute = 50;
  EXPECT_FALSE(timer.WakeAt(impossible));
}

// --- the wake-up sound ----------------------------------------------------------

TEST(WakeupSoundOutput, ASoundFromMemoryHoldsItsBytesUntilItIsStopped) {
  auto bytes = std::make_shared<const std::vector<std::uint8_t>>(WakeupSoundWav());
  std::weak_ptr<const std::vector<std::uint8_t>> held = bytes;
  {
    Win32FallbackSound sound;
    ASSERT_TRUE(sound.PlayLooped(std::move(bytes)));
    Sleep(300);
    EXPECT_FALSE(held.expired());
    sound.Stop();
    EXPECT_TRUE(held.expired());
    // Stopped twice, or played again and ended with the port: no harm.
    sound.Stop();
    ASSERT_TRUE(sound.PlayLooped(std::make_shared<const std::vector<std::uint8_t>>(WakeupSoundWav())));
  }
}

// --- the mute switch --------------------------------------------------------------

// Sets the mute and reads the volume directly, as another program would.
struct DirectEndpoint {
  DirectEndpoint() {
    ComPtr<IMMDeviceEnumerator> enumerator;
    if (FAILED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL,
                                __uuidof(IMMDeviceEnumerator), enumerator.PutVoid()))) {
      return;
    }
    ComPtr<IMMDevice> device;
    if (FAILED(enumerator->GetDefaultAudioEndpoint(eRender, eConsole, device.Put()))) return;
    device->Activate(__uuidof(IAudioEndpointVolume), CLSCTX_ALL, nullptr, volume.PutVoid());
  }
  ComApartment com;
  ComPtr<IAudioEndpointVolume> volume;
};

TEST(DefaultOutputMute, TheOutputIsFoundAndAnUnmutedOneStaysUnmuted) {
  Win32AudioEndpoint endpoint;
  EXPECT_TRUE(endpoint.UnmuteDefaultOutput());
  EXPECT_FALSE(endpoint.DefaultOutputMuted());
}

TEST(DefaultOutputMute, AMutedOutputIsSeenAndUnmutedWithItsVolumeKept) {
  DirectEndpoint direct;
  ASSERT_TRUE(direct.volume) << "no default sound output";
  Win32AudioEndpoint endpoint;
  // Wine keeps a mute per interface object, so another program's mute is
  // seen only where the system shares it (Windows); and it cannot set the
  // volume, only read it.
  float before = -1;
  const bool volumeKnown = SUCCEEDED(direct.volume->GetMasterVolumeLevelScalar(&before));
  ASSERT_HRESULT_SUCCEEDED(direct.volume->SetMute(TRUE, nullptr));
  BOOL shared = FALSE;
  DirectEndpoint other;
  if (!other.volume || FAILED(other.volume->GetMute(&shared)) || !shared) {
    direct.volume->SetMute(FALSE, nullptr);
    GTEST_SKIP() << "the mute is not shared between interface objects here";
  }
  EXPECT_TRUE(endpoint.DefaultOutputMuted());
  EXPECT_TRUE(endpoint.UnmuteDefaultOutput());
  BOOL muted = TRUE;
  ASSERT_HRESULT_SUCCEEDED(direct.volume->GetMute(&muted));
  EXPECT_FALSE(muted);
  float after = 0;
  if (volumeKnown) {
    ASSERT_HRESULT_SUCCEEDED(direct.volume->GetMasterVolumeLevelScalar(&after));
    EXPECT_FLOAT_EQ(after, before);
  }
}

}  // namespace
}  // namespace dz::win32
