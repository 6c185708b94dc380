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

TEST(SafeguardPorts, TheDefaultOutputIsFoundAndAnUnmutedOneStaysUnmuted) {
  Win32AudioEndpoint endpoint;
  EXPECT_TRUE(endpoint.UnmuteDefaultOutput());
  EXPECT_FALSE(endpoint.DefaultOutputMuted());
}

}  // namespace
}  // namespace dz::win32
