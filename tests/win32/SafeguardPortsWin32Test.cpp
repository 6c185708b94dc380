// The alarm's safeguards on the real platform. Under Wine the idle-sleep
// request is a stub, a timer cannot resume the system and the output's mute
// is Wine's own: each call must be answered without harm, and what can be
// observed must be right.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "fakes/FakeDialogs.h"
#include "media/WakeupSound.h"
#include "platform/win32/AppWindow.h"
#include "platform/win32/Win32Power.h"
#include "platform/win32/Win32SoundOutput.h"
#include "runtime/Exceptions.h"
#include "runtime/Platform.h"

namespace dz::win32 {
namespace {

TEST(SafeguardPorts, SleepAndBothResumesReachTheHandlerThroughTheApplicationWindow) {
  FakeDialogs dialogs;
  Platform platform;
  platform.dialogs = &dialogs;
  ScopedPlatform scope(platform);
  std::vector<PowerChange> heard;
  Win32PowerEvents::Instance().SetHandler([&](PowerChange change) {
    heard.push_back(change);
    if (change == PowerChange::Resumed) throw Exception("No MCI device open");
  });
  HWND app = ApplicationWindowHandle();
  EXPECT_EQ(SendMessageA(app, WM_POWERBROADCAST, PBT_APMSUSPEND, 0), TRUE);
  SendMessageA(app, WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE, 0);  // not for the alarm
  SendMessageA(app, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
  EXPECT_EQ(SendMessageA(app, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0), TRUE);
  Win32PowerEvents::Instance().SetHandler({});
  EXPECT_EQ(heard, (std::vector<PowerChange>{PowerChange::Suspending, PowerChange::Resumed,
                                             PowerChange::Resumed}));
  // A failing handler is reported, nothing escapes the window procedure.
  EXPECT_EQ(dialogs.ErrorTexts(), (std::vector<std::string>{"No MCI device open.",
                                                             "No MCI device open."}));
}

TEST(SafeguardPorts, AClockChangeReachesTheHandlerThroughTheApplicationWindow) {
  std::vector<PowerChange> heard;
  Win32PowerEvents::Instance().SetHandler([&](PowerChange change) { heard.push_back(change); });
  SendMessageA(ApplicationWindowHandle(), WM_TIMECHANGE, 0, 0);
  Win32PowerEvents::Instance().SetHandler({});
  EXPECT_EQ(heard, std::vector<PowerChange>{PowerChange::TimeChanged});
}

TEST(SafeguardPorts, TheDisplayRequestsAreTaken) {
  Win32DisplayWake display;
  EXPECT_TRUE(display.WakeDisplay());
}

TEST(SafeguardPorts, TheIdleRequestAndTheWakeTimerAreAnsweredWithoutHarm) {
  Win32ExecutionState state;
  state.SetSystemRequired(true);
  state.SetSystemRequired(false);

  SYSTEMTIME local;
  GetLocalTime(&local);
  LocalTime later;  // 15 January next year, 06:50
  later.year = static_cast<std::uint16_t>(local.wYear + 1);
  later.month = 1;
  later.day = 15;
  later.hour = 6;
  later.minute = 50;
  Win32WakeTimer timer;
  // Set where the system can resume, refused where it cannot (Wine); either
  // way it can be moved and cancelled.
  const bool set = timer.WakeAt(later);
  std::printf("a wake timer that resumes the system: %s\n", set ? "set" : "refused");
  later.minute = 55;
  EXPECT_EQ(timer.WakeAt(later), set);
  timer.Cancel();
  later.day = 31;
  later.month = 2;
  EXPECT_FALSE(timer.WakeAt(later));  // no such day
}

TEST(SafeguardPorts, TheWakeUpSoundHoldsItsBytesUntilItIsStopped) {
  auto bytes = std::make_shared<const std::vector<std::uint8_t>>(WakeupSoundWav());
  std::weak_ptr<const std::vector<std::uint8_t>> held = bytes;
  Win32FallbackSound sound;
  ASSERT_TRUE(sound.PlayLooped(std::move(bytes)));
  Sleep(300);
  EXPECT_FALSE(held.expired());
  sound.Stop();
  EXPECT_TRUE(held.expired());
  sound.Stop();
}

// A WAV file of `samples` bytes of 16-bit mono PCM whose data chunk claims
// `claimed` bytes.
std::vector<std::uint8_t> Wav(std::uint32_t samples, std::uint32_t claimed) {
  std::vector<std::uint8_t> b;
  const auto text = [&](const char* t) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(t[i]));
  };
  const auto le = [&](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  text("RIFF");
  le(36 + claimed, 4);
  text("WAVE");
  text("fmt ");
  le(16, 4);
  le(1, 2);  // PCM
  le(1, 2);
  le(22050, 4);
  le(44100, 4);
  le(2, 2);
  le(16, 2);
  text("data");
  le(claimed, 4);
  b.resize(b.size() + samples, 0x10);
  return b;
}

TEST(SafeguardPorts, TheWakeUpSoundPlaysOnlyWhatTheBytesHold) {
  Win32FallbackSound sound;
  const auto play = [&](std::vector<std::uint8_t> bytes) {
    const bool played = sound.PlayLooped(std::make_shared<const std::vector<std::uint8_t>>(std::move(bytes)));
    sound.Stop();
    return played;
  };
  EXPECT_TRUE(play(Wav(4410, 4410)));
  EXPECT_TRUE(play(Wav(4410, 0x7FFFFFF0)));  // a size past the end: what is there
  EXPECT_FALSE(play({}));
  EXPECT_FALSE(play(Wav(1, 1)));  // less than one sample
  std::vector<std::uint8_t> headerOnly = Wav(0, 4410);
  headerOnly.resize(30);  // cut inside the format
  EXPECT_FALSE(play(headerOnly));
  std::vector<std::uint8_t> notPcm = Wav(4410, 4410);
  notPcm[20] = 0x55;  // a compressed format
  EXPECT_FALSE(play(notPcm));
}

TEST(SafeguardPorts, TheDefaultOutputIsFoundAndAnUnmutedOneStaysUnmuted) {
  Win32AudioEndpoint endpoint;
  EXPECT_TRUE(endpoint.UnmuteDefaultOutput());
  EXPECT_FALSE(endpoint.DefaultOutputMuted());
}

}  // namespace
}  // namespace dz::win32
