// The settings file: five lines of text beside the program, read at the
// first activation and written at every close.
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
// A window closed before its first activation has read nothing and writes
// nothing.
#include <exception>
#include <string>

#include "alarm/Unit1.h"
#include "runtime/Exceptions.h"
#include "runtime/Shell.h"
#include "runtime/TextFile.h"

namespace dz {

namespace {
std::string SettingsPath() { return ProgramFolder() + kSettingsFileName; }
}  // namespace

void TForm1::FormActivate(TObject*) {
  settingsRead_ = true;
  const std::string path = SettingsPath();
  if (!IsExistingFile(path)) {
    MediaPlayer1->SetFileName(ProgramFolder() + kDefaultSoundName);
    if (IsExistingFile(MediaPlayer1->FileName())) MediaPlayer1->Open();
    return;
  }
  TextFileReader file;
  file.Open(path);
  SettingSoundFile = file.ReadLine();
  SettingAlarmHour = file.ReadLine();
  SettingAlarmMinute = file.ReadLine();
  SettingRepeatMinutes = file.ReadLine();
  SettingSnoozeMinutes = file.ReadLine();
  file.Close();

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

void TForm1::FormClose(TObject*, TCloseAction&) {
  // Closed before it was ever active (started minimised and closed from the
  // taskbar): the controls hold the defaults, not the user's settings.
  if (!settingsRead_) return;
  SettingSoundFile = MediaPlayer1->FileName();
  SettingAlarmHour = ComboBoxH->Text();
  SettingAlarmMinute = ComboBoxM->Text();
  SettingRepeatMinutes = EditRepeatMin->Text();
  SettingSnoozeMinutes = EditSnooze->Text();
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
