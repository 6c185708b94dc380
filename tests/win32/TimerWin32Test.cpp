// Timers on the real platform: SetTimer ticks through the message loop.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/win32/Win32Runtime.h"
#include "runtime/Exceptions.h"
#include "runtime/Timer.h"

namespace dz::win32 {
namespace {

// Dispatches messages until `done` holds or `limitMs` has passed.
void PumpUntil(const std::function<bool()>& done, DWORD limitMs) {
  const ULONGLONG deadline = GetTickCount64() + limitMs;
  while (!done()) {
    ULONGLONG now = GetTickCount64();
    if (now >= deadline) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
}

void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

class TimerWin32Test : public ::testing::Test {
 protected:
  TimerWin32Test() : scope(Win32Platform()) {}
  ScopedPlatform scope;
};

TEST_F(TimerWin32Test, TicksComeOneFullPeriodApart) {
  TTimer timer;
  timer.SetInterval(100);
  std::vector<ULONGLONG> at;
  const ULONGLONG start = GetTickCount64();
  timer.SetOnTimer([&at] { at.push_back(GetTickCount64()); });
  PumpUntil([&at] { return at.size() >= 3; }, 3000);
  ASSERT_EQ(at.size(), 3u);
  EXPECT_GE(at[0] - start, 90u);  // a tick needs a whole period first
  EXPECT_GE(at[2] - start, 280u);
}

TEST_F(TimerWin32Test, ReenablingDoesNotRestartThePeriodButANewIntervalDoes) {
  TTimer timer;
  timer.SetInterval(400);
  ULONGLONG firstTick = 0;
  timer.SetOnTimer([&firstTick] {
    if (!firstTick) firstTick = GetTickCount64();
  });
  const ULONGLONG start = GetTickCount64();
  PumpFor(250);
  timer.SetEnabled(true);
  timer.SetInterval(400);
  PumpUntil([&firstTick] { return firstTick != 0; }, 3000);
  ASSERT_NE(firstTick, 0u);
  EXPECT_LT(firstTick - start, 620u);  // at about 400, not 650

  firstTick = 0;
  const ULONGLONG restart = GetTickCount64();
  PumpFor(200);
  EXPECT_EQ(firstTick, 0u);
  timer.SetInterval(401);
  PumpUntil([&firstTick] { return firstTick != 0; }, 3000);
  ASSERT_NE(firstTick, 0u);
  EXPECT_GE(firstTick - restart, 580u);  // 200 + a whole new period
}

TEST_F(TimerWin32Test, AnIntervalOfZeroOrDisablingStopsTheTicks) {
  TTimer timer;
  timer.SetInterval(20);
  int ticks = 0;
  timer.SetOnTimer([&ticks] { ++ticks; });
  timer.SetInterval(0);
  PumpFor(200);
  EXPECT_EQ(ticks, 0);
  timer.SetInterval(20);
  PumpUntil([&ticks] { return ticks > 0; }, 2000);
  timer.SetEnabled(false);
  int seen = ticks;
  PumpFor(200);
  EXPECT_GT(seen, 0);
  EXPECT_EQ(ticks, seen);
}

TEST_F(TimerWin32Test, AFailingHandlerKeepsTheTimerRunning) {
  // No dialogs in this test: the reports go nowhere, the ticks go on.
  Platform timersOnly;
  timersOnly.timers = CurrentPlatform().timers;
  ScopedPlatform noBoxes(timersOnly);
  TTimer timer;
  timer.SetInterval(20);
  int calls = 0;
  timer.SetOnTimer([&calls] {
    ++calls;
    throw EIntOverflow();
  });
  PumpUntil([&calls] { return calls >= 3; }, 3000);
  EXPECT_GE(calls, 3);
}

TEST_F(TimerWin32Test, StoppingInsideItsOwnTickIsSafeAndLaterTicksAreIgnored) {
  auto& service = *CurrentPlatform().timers;
  int ticks = 0;
  TimerId id = 0;
  id = service.Start(20, [&] {
    ++ticks;
    service.Stop(id);
  });
  ASSERT_NE(id, 0u);
  TimerId other = service.Start(20, [] {});
  Sleep(100);  // both fall due while the thread is busy
  service.Stop(other);
  PumpFor(300);
  EXPECT_EQ(ticks, 1);
}

}  // namespace
}  // namespace dz::win32
