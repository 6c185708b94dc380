// Timers on the real platform: SetTimer ticks through the message loop.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/win32/Win32Runtime.h"
#include "runtime/Exceptions.h"
#include "runtime/Timer.h"

namespace dz::win32 {
namespace {

// Timers are checked by the order of their ticks, never by milliseconds: on
// a loaded machine the thread may pick its ticks up late, but timers that
// fell due meanwhile still tick in the order they fell due. Each reference
// timer is started so that a late start can only favour the sound outcome.
// Waits end as soon as their condition holds; their limits only keep a
// broken timer from hanging the test.
constexpr DWORD kPatienceMs = 20000;

// Dispatches messages until `done` holds or `limitMs` has passed.
void PumpUntil(const std::function<bool()>& done, DWORD limitMs = kPatienceMs) {
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

// A timer that ticks once, `ms` from now, and writes its letter.
void Mark(TTimer& mark, std::uint32_t ms, std::string& order, char letter) {
  mark.SetInterval(ms);
  mark.SetOnTimer([&mark, &order, letter] {
    order += letter;
    mark.SetEnabled(false);
  });
}

class TimerWin32Test : public ::testing::Test {
 protected:
  TimerWin32Test() : scope(Win32Platform()) {}
  ScopedPlatform scope;
};

TEST_F(TimerWin32Test, TheFirstTickComesAWholePeriodAfterTheStart) {
  std::string order;
  TTimer mark, timer;
  Mark(mark, 50, order, 'M');
  timer.SetInterval(100);
  timer.SetOnTimer([&order] { order += 'T'; });
  PumpUntil([&order] { return std::count(order.begin(), order.end(), 'T') >= 3; });
  EXPECT_EQ(order.substr(0, 2), "MT") << "ticked at once: " << order;
  EXPECT_GE(std::count(order.begin(), order.end(), 'T'), 3) << "the ticks go on";
}

TEST_F(TimerWin32Test, ReenablingOrTheSameIntervalKeepsTheRunningPeriod) {
  std::string order;
  TTimer probe, timer, mark;
  timer.SetInterval(400);
  timer.SetOnTimer([&order] { order += 'T'; });
  // Some time into the period: the timer's tick is due within 250 ms, the
  // mark's in 350; a restarted period would put the tick after the mark.
  probe.SetInterval(150);
  probe.SetOnTimer([&] {
    probe.SetEnabled(false);
    timer.SetEnabled(true);
    timer.SetInterval(400);
    Mark(mark, 350, order, 'M');
  });
  PumpUntil([&order] { return order.size() >= 2; });
  EXPECT_EQ(order.substr(0, 2), "TM");
}

TEST_F(TimerWin32Test, ANewIntervalRestartsThePeriod) {
  std::string order;
  TTimer probe, timer, mark;
  probe.SetInterval(200);
  timer.SetInterval(400);
  timer.SetOnTimer([&order] { order += 'T'; });
  // Half way through the period: the old period would tick within 200 ms,
  // before the mark at 300; the new one 401 after the change, after it.
  probe.SetOnTimer([&] {
    probe.SetEnabled(false);
    Mark(mark, 300, order, 'M');
    timer.SetInterval(401);
  });
  PumpUntil([&order] { return order.size() >= 2; });
  EXPECT_EQ(order.substr(0, 2), "MT");
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
  PumpUntil([&ticks] { return ticks > 0; });
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
  PumpUntil([&calls] { return calls >= 3; });
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
