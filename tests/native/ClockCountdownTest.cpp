// The date, the clock and the time left until the alarm, every second.
#include <algorithm>

#include "native/AlarmFixture.h"

namespace dz {
namespace {

class ClockCountdown : public AlarmFixture {
 protected:
  // The countdown after the next tick, with the alarm at hour:minute.
  std::string Countdown(const std::string& hour, const std::string& minute) {
    Type(*form->ComboBoxH, hour);
    Type(*form->ComboBoxM, minute);
    Pass(1000);
    return form->Label8->Caption();
  }
};

TEST_F(ClockCountdown, LabelsAreFilledAtCreationAndTheCountdownAtTheFirstTick) {
  Start(23, 10, 30);
  EXPECT_EQ(form->Label11->Caption(), "Monday, December 7, 2026");
  EXPECT_EQ(form->Label2->Caption(), "23:10");
  EXPECT_EQ(form->Label8->Caption(), "00:00");
  Pass(1000);
  EXPECT_EQ(form->Label8->Caption(), "07:40");
  PassUntil(0, 0, 0);
  EXPECT_EQ(form->Label11->Caption(), "Tuesday, December 8, 2026");
  EXPECT_EQ(form->Label2->Caption(), "00:00");
}

TEST_F(ClockCountdown, TheTimeLeftCountsWholeMinutesToTheNextAlarm) {
  Start(6, 49, 30);  // the countdown works from the minute shown
  EXPECT_EQ(Countdown("06", "50"), "00:01");
  EXPECT_EQ(Countdown("06", "49"), "00:00");
  EXPECT_EQ(Countdown("06", "48"), "23:59");
  EXPECT_EQ(Countdown("00", "39"), "17:50");  // 6:10 earlier in the day
  EXPECT_EQ(Countdown("00", "49"), "18:00");
  EXPECT_EQ(Countdown("7", "5"), "00:16");  // unpadded texts
}

TEST_F(ClockCountdown, TheLocalesTimeSeparatorIsUsedToShowAndToCheck) {
  FormatSettings().timeSeparator = '.';
  SettingsWithSong("06", "50");
  Start(6, 49, 55);
  EXPECT_EQ(form->Label2->Caption(), "06.49");
  Pass(1000);
  EXPECT_EQ(form->Label8->Caption(), "00:01");
  PassUntil(6, 50, 10);
  EXPECT_EQ(Plays(), 1);
  EXPECT_EQ(Errors(), std::vector<std::string>{});
}

TEST_F(ClockCountdown, AnInvalidAlarmTimeIsReportedOnceWhileTheReportIsOpen) {
  Start(6, 0);
  Pass(1000);
  const std::string before = form->Label8->Caption();
  bool first = true;
  dialogs.whileOpen = [&](const FakeDialogs::Box&) {
    if (!first) return;
    first = false;
    Pass(60000);  // the first report stays on screen for a minute
    EXPECT_EQ(form->Label2->Caption(), "06:01");  // the clock goes on under it
  };
  Type(*form->ComboBoxH, "24");
  Pass(2000);  // no report while the hour is being typed
  EXPECT_TRUE(Errors().empty());
  Pass(3000);
  const auto errors = Errors();
  EXPECT_EQ(errors.size(), 3u);  // the first, then one a second once it is closed
  EXPECT_EQ(std::count(errors.begin(), errors.end(), "'24:50' is not a valid time."), 3);
  EXPECT_EQ(form->Label8->Caption(), before);
}

TEST_F(ClockCountdown, ATickRepaintsOnlyTheLabelsWhoseTextChanged) {
  Start(6, 0);
  Pass(1000);
  peers.invalidated.clear();
  Pass(58000);  // 06:00:59: nothing changes on screen
  EXPECT_TRUE(peers.invalidated.empty());
  Pass(1000);  // 06:01: the clock and the countdown
  EXPECT_EQ(form->Label8->Caption(), "00:49");
  auto areas = peers.invalidated["Panel1"];
  std::sort(areas.begin(), areas.end(), [](const TRect& a, const TRect& b) { return a.Left < b.Left; });
  EXPECT_EQ(areas, (std::vector<TRect>{form->Label2->BoundsRect(), form->Label8->BoundsRect()}));
  EXPECT_EQ(peers.invalidated.size(), 1u);  // no other window
}

}  // namespace
}  // namespace dz
