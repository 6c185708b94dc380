// The settings file: five lines of text beside the program, read once at
// the first activation, or when the message loop first goes idle after
// start-up if the window has not been activated by then (started minimised
// without activation), and written at every close.
//
//   line 1  the sound file's full path (the player's FileName)
//   line 2  the alarm hour text
//   line 3  the alarm minute text
//   line 4  the repeat minutes text
//   line 5  the snooze minutes text
//
// Each line is the text as it stands, ended by CR LF; a line read ends at LF
// with or without a CR before it. Missing lines read as empty texts and
// anything after the fifth is ignored. Without the file the controls keep
// their defaults and the player takes the default sound from the same folder.
// When Windows ends the session (a restart, a sign-out) the program ends
// without a close, so the settings are written then too, by the same rules;
// a failure then goes unreported and the file stays as it was.
// A window closed before the file was read has read nothing and writes
// nothing. After a failed read (the file held by another program, access
// denied) the window shows the defaults, which are not the user's: a close
// then saves only the settings the user changed since, each into the
// file's other lines read again at that moment; with nothing changed it
// writes nothing, and when the file still cannot be read the close fails
// like a failed write, the window staying open, so that nothing is lost.
#include <cstddef>
#include <exception>
#include <string>

#include "alarm/Unit1.h"
#include "runtime/Exceptions.h"
#include "runtime/Shell.h"
#include "runtime/TextFile.h"

namespace dz {

namespace {

std::string SettingsPath() { return ProgramFolder() + kSettingsFileName; }

// The five lines into the five texts; a failure leaves them as they were
// read so far and raises.
void ReadSettingsFile(const std::string& path) {
  TextFileReader file;
  file.Open(path);
  SettingSoundFile = file.ReadLine();
  SettingAlarmHour = file.ReadLine();
  SettingAlarmMinute = file.ReadLine();
  SettingRepeatMinutes = file.ReadLine();
  SettingSnoozeMinutes = file.ReadLine();
  file.Close();
}

TForm1::SettingTexts SettingsInFileOrder() {
  return {SettingSoundFile, SettingAlarmHour, SettingAlarmMinute, SettingRepeatMinutes,
          SettingSnoozeMinutes};
}

}  // namespace

TForm1::SettingTexts TForm1::ShownSettings() const {
  return {MediaPlayer1->FileName(), ComboBoxH->Text(), ComboBoxM->Text(), EditRepeatMin->Text(),
          EditSnooze->Text()};
}

void TForm1::FormActivate(TObject*) { ReadSettings(); }

void TForm1::FormStartupIdle(TObject*) { ReadSettings(); }

void TForm1::ReadSettings() {
  if (settings_ != SettingsState::NotRead) return;
  const std::string path = SettingsPath();
  if (!IsExistingFile(path)) {
    settings_ = SettingsState::Read;
    MediaPlayer1->SetFileName(ProgramFolder() + kDefaultSoundName);
    if (IsExistingFile(MediaPlayer1->FileName())) MediaPlayer1->Open();
    return;
  }
  // Failed until all five lines are in: what the window shows now is what
  // a close must not save.
  settings_ = SettingsState::ReadFailed;
  shownAfterFailedRead_ = ShownSettings();
  ReadSettingsFile(path);
  settings_ = SettingsState::Read;

  // A sound file that has gone is not replaced by the default sound. One
  // that cannot be opened is reported once the other settings are in place:
  // left at their defaults, they would be saved over the user's at the next
  // close.
  MediaPlayer1->SetFileName(SettingSoundFile);
  std::exception_ptr openFailure;
  if (IsExistingFile(SettingSoundFile)) {
    try {
      MediaPlayer1->Open();
    } catch (const Exception&) {
      openFailure = std::current_exception();
    }
  }
  OpenDialog1->SetFileName(SettingSoundFile);
  ComboBoxH->SetText(SettingAlarmHour);
  ComboBoxM->SetText(SettingAlarmMinute);
  // A changed repeat text recomputes the repeat interval at once; its
  // failure is reported and the rest still applies.
  EditRepeatMin->SetText(SettingRepeatMinutes);
  EditSnooze->SetText(SettingSnoozeMinutes);
  if (openFailure) std::rethrow_exception(openFailure);
}

void TForm1::FormClose(TObject*, TCloseAction&) { WriteSettings(); }

void TForm1::FormSessionEnd(TObject*) { WriteSettings(); }

void TForm1::WriteSettings() {
  // Closed before the settings were read (started minimised and closed at
  // once): the controls hold the defaults, not the user's settings.
  if (settings_ == SettingsState::NotRead) return;
  SettingTexts texts = ShownSettings();
  if (settings_ == SettingsState::ReadFailed) {
    if (texts == shownAfterFailedRead_) return;  // nothing of the user's to save
    const std::string path = SettingsPath();
    if (IsExistingFile(path)) {
      // Still unreadable: the failure keeps the window open, as a failed
      // write does.
      ReadSettingsFile(path);
      const SettingTexts inFile = SettingsInFileOrder();
      for (std::size_t i = 0; i < texts.size(); ++i) {
        if (texts[i] == shownAfterFailedRead_[i]) texts[i] = inFile[i];
      }
    }
  }
  SettingSoundFile = texts[0];
  SettingAlarmHour = texts[1];
  SettingAlarmMinute = texts[2];
  SettingRepeatMinutes = texts[3];
  SettingSnoozeMinutes = texts[4];
  // A failed write leaves the previous file as it was, and the window open.
  TextFileWriter file;
  file.Create(SettingsPath());
  file.WriteLine(SettingSoundFile);
  file.WriteLine(SettingAlarmHour);
  file.WriteLine(SettingAlarmMinute);
  file.WriteLine(SettingRepeatMinutes);
  file.WriteLine(SettingSnoozeMinutes);
  file.Close();
}

}  // namespace dz
