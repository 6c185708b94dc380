#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "fakes/FakeDialogs.h"
#include "fakes/VirtualScheduler.h"
#include "runtime/Exceptions.h"
#include "runtime/Platform.h"
#include "runtime/Timer.h"

namespace dz {
namespace {

class TimerTest : public ::testing::Test {
 protected:
  TimerTest() {
    Platform platform;
    platform.timers = &scheduler;
    platform.dialogs = &dialogs;
    scope = std::make_unique<ScopedPlatform>(platform);
  }

  // A timer ticking every `interval` ms that records the virtual time of
  // each tick.
  void Arm(TTimer& timer, std::uint32_t interval) {
    timer.SetInterval(interval);
    timer.SetOnTimer([this] { ticks.push_back(scheduler.Now()); });
  }

  VirtualScheduler scheduler;
  FakeDialogs dialogs;
  std::unique_ptr<ScopedPlatform> scope;
  std::vector<std::uint64_t> ticks;
};

TEST_F(TimerTest, ANewTimerIsEnabledWithOneSecondAndRunsOnlyOnceItHasAHandler) {
  TTimer timer;
  EXPECT_TRUE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 1000u);
  EXPECT_FALSE(timer.OnTimer());
  EXPECT_EQ(scheduler.ActiveCount(), 0u);
  timer.SetOnTimer([this] { ticks.push_back(scheduler.Now()); });
  scheduler.RunFor(3000);
  EXPECT_EQ(ticks, (std::vector<std::uint64_t>{1000, 2000, 3000}));
}

TEST_F(TimerTest, AssigningAnEqualValueKeepsTheRunningPeriod) {
  TTimer timer;
  Arm(timer, 1000);
  scheduler.RunFor(600);
  timer.SetEnabled(true);
  timer.SetInterval(1000);
  scheduler.RunFor(400);
  EXPECT_EQ(ticks, (std::vector<std::uint64_t>{1000}));
}

TEST_F(TimerTest, ChangingTheIntervalRestartsThePeriodFromNow) {
  TTimer timer;
  Arm(timer, 1000);
  scheduler.RunFor(600);
  timer.SetInterval(500);
  scheduler.RunFor(1000);
  EXPECT_EQ(ticks, (std::vector<std::uint64_t>{1100, 1600}));
}

TEST_F(TimerTest, DisablingAndEnablingAgainRestartsThePeriod) {
  TTimer timer;
  Arm(timer, 1000);
  scheduler.RunFor(700);
  timer.SetEnabled(false);
  scheduler.RunFor(700);
  EXPECT_TRUE(ticks.empty());
  timer.SetEnabled(true);
  scheduler.RunFor(1000);
  EXPECT_EQ(ticks, (std::vector<std::uint64_t>{2400}));
}

TEST_F(TimerTest, AnIntervalOfZeroStopsTheTicksUntilItIsSetAgain) {
  TTimer timer;
  Arm(timer, 100);
  timer.SetInterval(0);
  EXPECT_FALSE(timer.Running());
  scheduler.RunFor(1000);
  EXPECT_TRUE(ticks.empty());
  timer.SetInterval(250);
  scheduler.RunFor(500);
  EXPECT_EQ(ticks, (std::vector<std::uint64_t>{1250, 1500}));
}

TEST_F(TimerTest, ARefusedTimerRaisesAndKeepsTheNewValue) {
  TTimer timer;
  Arm(timer, 1000);
  scheduler.refuseNewTimers = true;
  try {
    timer.SetInterval(2000);
    FAIL() << "no exception";
  } catch (const EOutOfResources& error) {
    EXPECT_EQ(error.Message(), "Not enough timers available");
  }
  EXPECT_EQ(timer.Interval(), 2000u);
  EXPECT_FALSE(timer.Running());
  EXPECT_EQ(scheduler.ActiveCount(), 0u);  // the old one is stopped, not left running
  scheduler.refuseNewTimers = false;
  timer.SetEnabled(false);  // works again once the platform has timers
  timer.SetEnabled(true);
  EXPECT_TRUE(timer.Running());
}

TEST_F(TimerTest, DestroyingATimerStopsItsPlatformTimer) {
  auto timer = std::make_unique<TTimer>();
  Arm(*timer, 10);
  EXPECT_EQ(scheduler.ActiveCount(), 1u);
  timer.reset();
  EXPECT_EQ(scheduler.ActiveCount(), 0u);
  scheduler.RunFor(100);
  EXPECT_TRUE(ticks.empty());
}

TEST_F(TimerTest, AFailingHandlerIsReportedAndTheTimerKeepsTicking) {
  TTimer timer;
  timer.SetInterval(100);
  int calls = 0;
  timer.SetOnTimer([&calls] {
    ++calls;
    throw EConvertError("'' is not a valid integer value");
  });
  scheduler.RunFor(300);
  EXPECT_EQ(calls, 3);
  EXPECT_TRUE(timer.Enabled());
  EXPECT_EQ(dialogs.ErrorTexts(),
            std::vector<std::string>(3, "'' is not a valid integer value."));
}

TEST_F(TimerTest, AHandlerMayStopReplaceOrDestroyItsOwnTimer) {
  auto timer = std::make_unique<TTimer>();
  timer->SetInterval(100);
  int first = 0, second = 0;
  timer->SetOnTimer([&] {
    ++first;
    timer->SetOnTimer([&] {
      ++second;
      timer.reset();
    });
  });
  scheduler.RunFor(1000);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 1);
  EXPECT_EQ(timer, nullptr);
  EXPECT_EQ(scheduler.ActiveCount(), 0u);
}

TEST_F(TimerTest, TimersKeepTickingWhileABoxIsOpen) {
  TTimer clock;
  Arm(clock, 1000);
  TTimer failing;
  failing.SetInterval(10000);
  failing.SetOnTimer([] { throw ERangeError(); });
  std::size_t ticksWhileOpen = 0;
  dialogs.whileOpen = [&](const FakeDialogs::Box&) {
    std::size_t before = ticks.size();
    scheduler.RunFor(5000);
    ticksWhileOpen = ticks.size() - before;
  };
  scheduler.RunFor(10000);
  EXPECT_EQ(ticksWhileOpen, 5u);
  EXPECT_EQ(dialogs.ErrorTexts(), std::vector<std::string>{"Range check error."});
}

// The scheduler stands in for the platform in every timer test; its
// delivery rules are those of the platform's timer messages.
TEST_F(TimerTest, LateTicksDoNotPileUpAndTheOrderFollowsDueTimes) {
  std::vector<std::string> order;
  TTimer slow, fast;
  slow.SetInterval(300);
  slow.SetOnTimer([&] { order.push_back("slow"); });
  fast.SetInterval(200);
  fast.SetOnTimer([&] { order.push_back("fast"); });
  scheduler.Advance(1000);  // the thread was busy: one tick each
  EXPECT_EQ(order, (std::vector<std::string>{"fast", "slow"}));
  order.clear();
  scheduler.RunFor(200);  // phase kept: fast at 1200, slow at 1200 after it
  EXPECT_EQ(order, (std::vector<std::string>{"slow", "fast"}));
}

// Whoever follows a timer's running state hears every real change, after
// the platform timer has been started or stopped (or refused), and nothing
// else.
TEST_F(TimerTest, TheStateObserverHearsRealChangesWithRunningAlreadyUpToDate) {
  TTimer timer;
  std::vector<bool> heard;
  timer.SetStateObserver([&] { heard.push_back(timer.Running()); });
  timer.SetOnTimer([] {});
  timer.SetEnabled(true);   // equal: nothing
  timer.SetInterval(0);     // no ticks: not running
  timer.SetInterval(500);
  timer.SetEnabled(false);
  scheduler.refuseNewTimers = true;
  EXPECT_THROW(timer.SetEnabled(true), EOutOfResources);
  EXPECT_EQ(heard, (std::vector<bool>{true, false, true, false, false}));
}

}  // namespace
}  // namespace dz
