#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "fakes/FakeDialogs.h"
#include "fakes/VirtualScheduler.h"
#include "runtime/Dispatch.h"
#include "runtime/Exceptions.h"
#include "runtime/Platform.h"
#include "runtime/Timer.h"

namespace dz {
namespace {

class DispatchTest : public ::testing::Test {
 protected:
  DispatchTest() : savedTitle(ApplicationTitle()) {
    Platform platform;
    platform.timers = &scheduler;
    platform.dialogs = &dialogs;
    scope = std::make_unique<ScopedPlatform>(platform);
    ApplicationTitle() = "Dozewell";
  }
  ~DispatchTest() override { ApplicationTitle() = savedTitle; }

  std::string savedTitle;
  VirtualScheduler scheduler;
  FakeDialogs dialogs;
  std::unique_ptr<ScopedPlatform> scope;
};

TEST(FullStop, IsAddedAfterCharactersThatSortAfterTheFullStop) {
  EXPECT_EQ(WithFullStop("Integer overflow"), "Integer overflow.");
  EXPECT_EQ(WithFullStop("I/O error 32"), "I/O error 32.");
  EXPECT_EQ(WithFullStop("'24:50' is not a valid time"), "'24:50' is not a valid time.");
  EXPECT_EQ(WithFullStop("Done."), "Done.");
  EXPECT_EQ(WithFullStop("Stop!"), "Stop!");
  EXPECT_EQ(WithFullStop("(closed)"), "(closed)");
  EXPECT_EQ(WithFullStop("ends in a quote '"), "ends in a quote '");
  EXPECT_EQ(WithFullStop("path/"), "path/.");
  EXPECT_EQ(WithFullStop(""), "");
  // Bytes above 127 sort after "." too (an accented last letter).
  EXPECT_EQ(WithFullStop("caf\xE9"), "caf\xE9.");
}

TEST_F(DispatchTest, AReportCancelsTheMouseCaptureAndUsesTheTitleAsCaption) {
  Dispatch([] { throw EIntOverflow(); });
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].kind, FakeDialogs::Kind::Error);
  EXPECT_EQ(dialogs.boxes[0].text, "Integer overflow.");
  EXPECT_EQ(dialogs.boxes[0].caption, "Dozewell");
  EXPECT_EQ(dialogs.captureCancels, 1);
}

TEST_F(DispatchTest, TheCaptionIsTheTitleCutTo255Characters) {
  ApplicationTitle() = std::string(300, 'T');
  ReportError(std::string("x"));
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].caption, std::string(255, 'T'));
}

TEST_F(DispatchTest, FailuresOfEveryKindAreReportedAndNeverEscape) {
  Dispatch([] { throw EInOutError(5); });
  Dispatch([] { throw std::runtime_error("vector too long"); });
  Dispatch([] { throw 42; });
  Dispatch([] {});
  Dispatch(nullptr);
  auto texts = dialogs.ErrorTexts();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0], "File access denied.");
  EXPECT_EQ(texts[1], "vector too long.");
  EXPECT_EQ(texts[2], "Unexpected failure.");
}

TEST_F(DispatchTest, WhatTheHandlerDidBeforeTheFailureStaysDone) {
  int steps = 0;
  Dispatch([&steps] {
    ++steps;
    throw EConvertError("'x' is not a valid integer value");
    ++steps;  // never reached
  });
  EXPECT_EQ(steps, 1);
}

TEST_F(DispatchTest, ReportingWithoutDialogsOrWithAFailingBoxDoesNotThrow) {
  {
    ScopedPlatform none{Platform{}};
    ReportError(std::string("lost"));
    Dispatch([] { throw EIntOverflow(); });
  }
  dialogs.whileOpen = [](const FakeDialogs::Box&) { throw std::runtime_error("box failed"); };
  ReportError(std::string("shown"));
  EXPECT_EQ(dialogs.ErrorTexts(), std::vector<std::string>{"shown."});
}

TEST_F(DispatchTest, ANoticeHasTheTitleAsCaptionAndNoFullStopAdded) {
  ShowNotice("Sound Alarm is off");
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].kind, FakeDialogs::Kind::Notice);
  EXPECT_EQ(dialogs.boxes[0].text, "Sound Alarm is off");
  EXPECT_EQ(dialogs.boxes[0].caption, "Dozewell");
  EXPECT_EQ(dialogs.captureCancels, 0);
}

TEST(NoticeCopy, IsTheBoxAsLinesBetweenDashes) {
  const std::string dashes = "---------------------------\r\n";
  EXPECT_EQ(NoticeCopyText("Dozewell", "Wake up"),
            dashes + "Dozewell\r\n" + dashes + "Wake up\r\n" + dashes + "OK   \r\n" + dashes);
}

// Reports of a repeating handler never pile up.

TEST_F(DispatchTest, WhileATimersReportIsOpenItsFurtherFailuresAreDropped) {
  TTimer timer;
  timer.SetInterval(10000);
  int calls = 0;
  timer.SetOnTimer([&calls] {
    ++calls;
    throw EConvertError("'' is not a valid integer value");
  });
  dialogs.whileOpen = [this](const FakeDialogs::Box&) { scheduler.RunFor(60000); };
  scheduler.RunFor(10000);
  EXPECT_EQ(calls, 7);  // the handler keeps running under the open box
  EXPECT_EQ(dialogs.ErrorTexts().size(), 1u);
  EXPECT_EQ(dialogs.mostOpenAtOnce, 1);

  dialogs.whileOpen = nullptr;  // dismissed at once from now on
  scheduler.RunFor(20000);
  EXPECT_EQ(calls, 9);
  EXPECT_EQ(dialogs.ErrorTexts().size(), 3u);  // reported again after dismissal
}

TEST_F(DispatchTest, AnOpenReportOfOneTimerDoesNotSilenceAnother) {
  TTimer first, second;
  first.SetInterval(1000);
  first.SetOnTimer([] { throw EConvertError("first"); });
  second.SetInterval(1500);
  second.SetOnTimer([] { throw EConvertError("second"); });
  bool nested = false;
  dialogs.whileOpen = [&](const FakeDialogs::Box& box) {
    if (box.text == "first." && !nested) {
      nested = true;
      scheduler.RunFor(3000);
    }
  };
  scheduler.RunFor(1000);
  auto texts = dialogs.ErrorTexts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], "first.");
  EXPECT_EQ(texts[1], "second.");  // failed at 1500 under the first box; shown once it closed
  EXPECT_EQ(dialogs.mostOpenAtOnce, 1);
}

TEST_F(DispatchTest, ControlHandlersReportEveryFailureEvenUnderAnOpenBox) {
  int clicks = 0;
  auto click = [&clicks] {
    ++clicks;
    throw EConvertError("'" + std::to_string(clicks) + "' is not a valid time");
  };
  dialogs.whileOpen = [&](const FakeDialogs::Box&) {
    if (clicks < 3) Dispatch(click);
  };
  Dispatch(click);
  EXPECT_EQ(clicks, 3);
  EXPECT_EQ(dialogs.ErrorTexts().size(), 3u);
  EXPECT_EQ(dialogs.mostOpenAtOnce, 1);
}

// One box at a time, whatever asks for it.

TEST_F(DispatchTest, ATimerFailingWithChangingTextsUnderABoxLeavesOneReportWaiting) {
  TTimer timer;
  timer.SetInterval(1000);
  int calls = 0;
  timer.SetOnTimer([&calls] { throw EConvertError("'" + std::to_string(++calls) + "' is not a valid time"); });
  dialogs.whileOpen = [this](const FakeDialogs::Box& box) {
    if (box.text == "Outer.") scheduler.RunFor(5000);
  };
  ReportError(std::string("Outer"));
  EXPECT_EQ(calls, 5);
  EXPECT_EQ(dialogs.ErrorTexts(), (std::vector<std::string>{"Outer.", "'1' is not a valid time."}));
}

TEST_F(DispatchTest, AReportUnderAnOpenBoxWaitsAndTheSameTextIsShownOnce) {
  std::vector<std::string> order;
  bool asked = false;
  dialogs.whileOpen = [&](const FakeDialogs::Box& box) {
    order.push_back(box.text);
    if (asked) return;
    asked = true;
    ReportError(std::string("No MCI device open."));
    Dispatch([] { throw EConvertError("'24:50' is not a valid time"); });
    ReportError(std::string("No MCI device open."));  // already waiting
    ShowNotice("Sound Alarm is off");                 // already open
    order.push_back("notice still open");
  };
  ShowNotice("Sound Alarm is off");
  EXPECT_EQ(order, (std::vector<std::string>{"Sound Alarm is off", "notice still open",
                                             "No MCI device open.", "'24:50' is not a valid time."}));
  EXPECT_EQ(dialogs.mostOpenAtOnce, 1);

  dialogs.whileOpen = nullptr;
  ReportError(std::string("No MCI device open."));  // a new box once the others closed
  EXPECT_EQ(dialogs.ErrorTexts().size(), 3u);
}

TEST_F(DispatchTest, ANoticeThatMustWaitLetsItsHandlerGoOnAndShowsWhenTheBoxCloses) {
  bool handlerDone = false;
  std::vector<std::string> order;
  dialogs.whileOpen = [&](const FakeDialogs::Box& box) {
    order.push_back(box.text);
    if (box.kind != FakeDialogs::Kind::Error) return;
    Dispatch([&] {
      ShowNotice("No sound file selected!");
      handlerDone = true;
    });
    EXPECT_TRUE(handlerDone) << "the handler waits for a box that cannot open";
  };
  ReportError(std::string("No MCI device open."));
  EXPECT_EQ(order, (std::vector<std::string>{"No MCI device open.", "No sound file selected!"}));
  EXPECT_EQ(dialogs.mostOpenAtOnce, 1);
}

TEST_F(DispatchTest, ATimerDestroyedWhileItsReportIsOpenLeavesNothingBehind) {
  auto timer = std::make_unique<TTimer>();
  timer->SetInterval(100);
  timer->SetOnTimer([] { throw EIntOverflow(); });
  dialogs.whileOpen = [&](const FakeDialogs::Box&) { timer.reset(); };
  scheduler.RunFor(100);
  EXPECT_EQ(timer, nullptr);
  EXPECT_EQ(scheduler.ActiveCount(), 0u);
  EXPECT_EQ(dialogs.ErrorTexts().size(), 1u);
}

}  // namespace
}  // namespace dz
