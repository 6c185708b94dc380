// The window's boxes, one at a time, whichever handler asks for one.
#include "native/AlarmFixture.h"
#include "runtime/Dispatch.h"

namespace dz {
namespace {

using Strings = std::vector<std::string>;

class AlarmBoxes : public AlarmFixture {};

TEST_F(AlarmBoxes, TheClocksReportUnderThePlayersBoxWaitsUntilItCloses) {
  Start(22, 0);  // no song: the player has no device
  Type(*form->ComboBoxH, "24");
  bool first = true;
  dialogs.whileOpen = [&](const FakeDialogs::Box&) {
    if (!first) return;
    first = false;
    Pass(5000);  // the countdown fails each second under the open box
  };
  PressPlayerStop();
  EXPECT_EQ(Errors(), (Strings{"No MCI device open.", "'24:50' is not a valid time."}));
  EXPECT_EQ(dialogs.mostOpenAtOnce, 1);
}

TEST_F(AlarmBoxes, SwitchingOffUnderAnOpenReportStillArmsAndTheNoticeFollows) {
  SettingsWithSong("07", "30");
  Start(22, 0);
  Tick(*form->ChkPlay);  // Sound Alarm off: switching off gives a notice
  bool first = true;
  dialogs.whileOpen = [&](const FakeDialogs::Box&) {
    if (!first) return;
    first = false;
    Click(*form->ButtonOff);
  };
  ReportError(std::string("No MCI device open."));
  EXPECT_TRUE(ScreenOff) << "the click's handler did not go on past its notice";
  EXPECT_EQ(Notices(), Strings{"No alarm will sound with the \" Sound Alarm\" chechbox unticked"});
  EXPECT_EQ(dialogs.mostOpenAtOnce, 1);
}

}  // namespace
}  // namespace dz
