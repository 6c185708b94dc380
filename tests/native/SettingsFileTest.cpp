// The settings file beside the program: read at the first activation,
// written at every close.
#include <filesystem>

#include "native/AlarmFixture.h"

namespace dz {
namespace {

using Strings = std::vector<std::string>;

class SettingsFile : public AlarmFixture {
 protected:
  std::string Saved() { return folder.Get(kSettingsFileName); }
  void Restart(int hour = 22, int minute = 0) {
    form.reset();
    scope.reset();
    Start(hour, minute);
  }
};

TEST_F(SettingsFile, WithoutAFileTheDefaultsAreSavedAtExitAndRestoredNextTime) {
  Start(22, 0);  // no settings, no default sound
  EXPECT_EQ(form->MediaPlayer1->FileName(), folder.File(kDefaultSoundName));
  EXPECT_FALSE(form->MediaPlayer1->IsOpen());
  EXPECT_EQ(form->OpenDialog1->FileName(), "");
  Click(*form->BitBtnClose);
  EXPECT_TRUE(form->Closed());
  const std::string defaults = folder.File(kDefaultSoundName) + "\r\n06\r\n50\r\n2\r\n5\r\n";
  EXPECT_EQ(Saved(), defaults);

  Restart();
  Type(*form->ComboBoxH, "7");
  Type(*form->EditSnooze, "10");
  CloseBox();
  EXPECT_EQ(Saved(), folder.File(kDefaultSoundName) + "\r\n7\r\n50\r\n2\r\n10\r\n");
  Restart();
  EXPECT_EQ(form->ComboBoxH->Text(), "7");
  EXPECT_EQ(form->EditSnooze->Text(), "10");
  EXPECT_EQ(form->OpenDialog1->FileName(), folder.File(kDefaultSoundName));
  EXPECT_EQ(Errors(), Strings{});
}

TEST_F(SettingsFile, LfLinesAreReadTheRepeatTextRecomputesOnlyWhenItDiffers) {
  const std::string song = Song();
  mci.trackStatus[{mci::kStatusLength, 1}] = 60000;
  Settings(song + "\n05\n30\n2\n9\nextra\n");
  Start(22, 0);
  EXPECT_TRUE(form->MediaPlayer1->IsOpen());
  EXPECT_EQ(form->MediaPlayer1->FileName(), song);
  EXPECT_EQ(form->OpenDialog1->FileName(), song);
  EXPECT_EQ(form->ComboBoxM->Text(), "30");
  EXPECT_EQ(form->EditSnooze->Text(), "9");
  EXPECT_EQ(form->Timer4->Interval(), 300000u);  // "2" as laid out: not recomputed

  Settings(song + "\r\n05\r\n30\r\n4\r\n9\r\n");
  Restart();
  EXPECT_EQ(form->Timer4->Interval(), 4 * 60000 + 60000u);
}

TEST_F(SettingsFile, AShortFileLeavesEmptyTextsThatAreReportedOrRepaired) {
  Settings(Song() + "\r\n07");
  Start(22, 0);
  EXPECT_EQ(form->ComboBoxH->Text(), "07");
  EXPECT_EQ(form->ComboBoxM->Text(), "");
  EXPECT_EQ(form->EditSnooze->Text(), "");
  EXPECT_EQ(Errors(), Strings{"'' is not a valid integer value."});  // the empty repeat text
  Pass(10000);
  EXPECT_EQ(form->ComboBoxM->Text(), "0");  // padded by the alarm check
}

TEST_F(SettingsFile, AMissingOrUnplayableSoundIsNotReplacedByTheDefault) {
  folder.Put(kDefaultSoundName, "RIFF");
  Settings(folder.File("moved.mp3") + "\r\n05\r\n30\r\n2\r\n5\r\n");
  Start(22, 0);
  EXPECT_FALSE(form->MediaPlayer1->IsOpen());
  EXPECT_EQ(form->MediaPlayer1->FileName(), folder.File("moved.mp3"));
  EXPECT_EQ(form->ComboBoxH->Text(), "05");

  Settings(Song() + "\r\n05\r\n30\r\n2\r\n5\r\n");
  mci.FailNext(mci::kOpen, 275);
  Restart();
  EXPECT_EQ(Errors(), Strings{"Cannot find the specified file."});
  // The rest still applies, so that the next close saves the user's
  // settings rather than the defaults.
  EXPECT_EQ(form->ComboBoxH->Text(), "05");
  EXPECT_EQ(form->EditSnooze->Text(), "5");
  EXPECT_EQ(form->OpenDialog1->FileName(), Song());
  CloseBox();
  EXPECT_EQ(Saved(), Song() + "\r\n05\r\n30\r\n2\r\n5\r\n");
}

TEST_F(SettingsFile, AFailedWriteKeepsTheOldFileAndTheWindowOpenUntilARetryWorks) {
  const std::string old = "old.wav\r\n06\r\n50\r\n2\r\n5\r\n";
  Settings(old);
  Start(22, 0);
  Type(*form->ComboBoxH, "08");
  namespace fs = std::filesystem;
  const fs::path file = folder.File(kSettingsFileName);
  fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  CloseBox();
  EXPECT_EQ(Errors(), Strings{"File access denied."});
  EXPECT_FALSE(form->Closed());
  EXPECT_EQ(Saved(), old);
  fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
  Click(*form->BitBtnClose);
  EXPECT_TRUE(form->Closed());
  EXPECT_EQ(Saved(), "old.wav\r\n08\r\n50\r\n2\r\n5\r\n");
}

TEST_F(SettingsFile, AWindowClosedBeforeItWasEverActiveKeepsTheSettings) {
  const std::string saved = Song() + "\r\n05\r\n30\r\n4\r\n9\r\n";
  Settings(saved);
  Start(22, 0, 0, 0, false);  // started minimised, closed from the taskbar
  CloseBox();
  EXPECT_TRUE(form->Closed());
  EXPECT_EQ(Saved(), saved);
}

// A file that cannot be read at start (held by another program) is never
// replaced by values the user did not set.

TEST_F(SettingsFile, AnUnreadFileIsNotReplacedByTheDefaultsTheWindowShows) {
  const std::string saved = Song() + "\r\n05\r\n30\r\n4\r\n9\r\n";
  Settings(saved);
  files.readRefused[folder.File(kSettingsFileName)] = 32;
  Start(22, 0);
  EXPECT_EQ(Errors(), Strings{"I/O error 32."});
  EXPECT_EQ(form->ComboBoxH->Text(), "06");
  Pass(60000);  // the checks and the clock change nothing of the user's
  CloseBox();
  EXPECT_TRUE(form->Closed());
  EXPECT_EQ(Saved(), saved);
}

TEST_F(SettingsFile, ASettingChangedAfterAFailedReadIsSavedIntoTheFilesOtherLines) {
  Settings(Song() + "\r\n05\r\n30\r\n4\r\n9\r\n");
  files.readRefused[folder.File(kSettingsFileName)] = 5;
  Start(22, 0);
  Type(*form->EditSnooze, "12");
  Type(*form->ComboBoxM, "45");
  Type(*form->ComboBoxM, "50");  // back as it was shown: not the user's setting
  CloseBox();  // still held: nothing can be merged, so the window stays open
  EXPECT_FALSE(form->Closed());
  EXPECT_EQ(Errors(), (Strings{"File access denied.", "File access denied."}));
  EXPECT_EQ(Saved(), Song() + "\r\n05\r\n30\r\n4\r\n9\r\n");

  files.readRefused.clear();  // the other program let go of it
  CloseBox();
  EXPECT_TRUE(form->Closed());
  EXPECT_EQ(Saved(), Song() + "\r\n05\r\n30\r\n4\r\n12\r\n");
}

// Read once: at the first activation, or when the message loop first goes
// idle if the window was never activated (started minimised without it).

TEST_F(SettingsFile, AWindowNeverActivatedRingsAtTheSavedMinuteWithTheSavedSong) {
  SettingsWithSong("07", "30");
  Start(6, 45, 0, 0, false);
  form->HandleStartupIdle();
  EXPECT_EQ(form->MediaPlayer1->FileName(), Song());
  EXPECT_TRUE(form->MediaPlayer1->IsOpen());
  PassUntil(6, 51);
  EXPECT_EQ(Plays(), 0) << "rang at the layout's 06:50";
  PassUntil(7, 30, 30);
  EXPECT_EQ(Plays(), 1);
}

TEST_F(SettingsFile, WhicheverComesFirstReadsAndTheOtherLeavesTheUsersChangesAlone) {
  Settings(Song() + "\r\n07\r\n30\r\n\r\n5\r\n");  // the empty repeat text is reported
  Start(22, 0);
  Type(*form->ComboBoxH, "08");
  form->HandleStartupIdle();
  EXPECT_EQ(form->ComboBoxH->Text(), "08");

  form.reset();
  scope.reset();
  Start(22, 0, 0, 0, false);
  form->HandleStartupIdle();
  Type(*form->ComboBoxH, "09");
  form->HandleActivate();  // restored from the taskbar later
  EXPECT_EQ(form->ComboBoxH->Text(), "09");
  EXPECT_EQ(Errors().size(), 2u);  // once per start
}

// A restart for updates or a sign-out ends the program without a close.

TEST_F(SettingsFile, TheSessionsEndSavesWhatTheUserChangedWithoutABox) {
  Settings(Song() + "\r\n05\r\n30\r\n4\r\n9\r\n");
  Start(22, 0);
  Type(*form->ComboBoxH, "07");
  form->HandleSessionEnd();
  EXPECT_EQ(Saved(), Song() + "\r\n07\r\n30\r\n4\r\n9\r\n");

  Restart();
  Type(*form->EditSnooze, "12");
  namespace fs = std::filesystem;
  fs::permissions(folder.File(kSettingsFileName), fs::perms::owner_write | fs::perms::group_write |
                  fs::perms::others_write, fs::perm_options::remove);
  form->HandleSessionEnd();  // a failed write is simply not saved
  EXPECT_EQ(Saved(), Song() + "\r\n07\r\n30\r\n4\r\n9\r\n");
  EXPECT_EQ(Errors(), Strings{});
}

TEST_F(SettingsFile, TheSessionsEndKeepsAFileThatWasNotReadOrIsStillHeld) {
  const std::string saved = Song() + "\r\n05\r\n30\r\n4\r\n9\r\n";
  Settings(saved);
  Start(22, 0, 0, 0, false);  // started minimised, never idle nor activated
  form->HandleSessionEnd();
  EXPECT_EQ(Saved(), saved);

  files.readRefused[folder.File(kSettingsFileName)] = 5;
  Restart();
  Type(*form->EditSnooze, "12");
  form->HandleSessionEnd();  // still held: the defaults shown are not written
  EXPECT_EQ(Saved(), saved);
  EXPECT_EQ(Errors(), Strings{"File access denied."});  // the read at start only
}

TEST_F(SettingsFile, AWriteRemovesOnlyTheTemporaryFilesOfProcessesThatAreGone) {
  Start(22, 0);
  files.running.insert(77);
  for (const char* name : {"folderS.txt.12.tmp", "folderS.txt.77.tmp", "folderS.txt.old.tmp",
                           "folderS.txt.tmp", "other.txt.12.tmp"}) {
    folder.Put(name, "x");
  }
  CloseBox();
  EXPECT_FALSE(folder.Has("folderS.txt.12.tmp"));  // its writer crashed
  EXPECT_TRUE(folder.Has("folderS.txt.77.tmp"));   // its writer is still writing
  EXPECT_TRUE(folder.Has("folderS.txt.old.tmp"));
  EXPECT_TRUE(folder.Has("folderS.txt.tmp"));
  EXPECT_TRUE(folder.Has("other.txt.12.tmp"));
  EXPECT_FALSE(folder.Has("folderS.txt.4242.tmp"));
}

}  // namespace
}  // namespace dz
