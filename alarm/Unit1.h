#pragma once
// The main window: class TForm1 with every control of the layout, built in
// the constructor (alarm/Form1Layout.cpp), and its event handlers: the alarm
// controller (alarm/AlarmController.cpp), the clock and countdown
// (alarm/ClockCountdown.cpp) and the settings file (alarm/Settings.cpp).
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "alarm/AlarmSafeguards.h"
#include "media/MediaPlayer.h"
#include "runtime/DateTime.h"
#include "runtime/Timer.h"
#include "ui/Buttons.h"
#include "ui/DzButton.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/OpenDialog.h"
#include "ui/RTFLabel.h"
#include "ui/StdCtrls.h"

namespace dz {

// The alarm's state beside the controls; false or empty at start.
// The program switched the display off and keeps it off.
extern bool ScreenOff;
// A key typed in the window runs Snooze.
extern bool SnoozeOnKey;
// "ja" while a snooze runs that ticked the Repeat box itself, "nee" once a
// snooze has ended.
extern std::string SnoozeRepeatMark;

// The five settings on their way between the settings file and the controls.
extern std::string SettingSoundFile;
extern std::string SettingAlarmHour;
extern std::string SettingAlarmMinute;
extern std::string SettingRepeatMinutes;
extern std::string SettingSnoozeMinutes;

// The settings file and the default wake-up sound, in the program's folder.
inline constexpr const char* kSettingsFileName = "folderS.txt";
inline constexpr const char* kDefaultSoundName = "wakeup.wav";

class TForm1 : public TForm {
 public:
  // Builds the window from its layout, scaled by `scale` (the screen's dots
  // per inch / 96), starts the timers and runs FormCreate.
  explicit TForm1(TComponent* owner = nullptr, double scale = 1.0);
  ~TForm1() override;
  const char* ClassName() const override { return "TForm1"; }

  // On the window.
  TPanel* Panel1 = nullptr;
  TLabel* Label13 = nullptr;
  TLabel* Label14 = nullptr;
  TLabel* Label15 = nullptr;
  TLabel* Label17 = nullptr;
  TLabel* Label16 = nullptr;
  TLabel* Label18 = nullptr;
  TLabel* Label19 = nullptr;
  TLabel* Label20 = nullptr;
  TLabel* LblURL = nullptr;
  TRTFLabel* RTFLabel1 = nullptr;
  TRTFLabel* RTFLabel2 = nullptr;

  // On Panel1.
  TLabel* Label9 = nullptr;
  TLabel* Label11 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label6 = nullptr;
  TLabel* Label7 = nullptr;
  TLabel* Label8 = nullptr;
  TLabel* Label4 = nullptr;
  TLabel* Label5 = nullptr;
  TLabel* Label12 = nullptr;
  TSpeedButton* SpeedButton1 = nullptr;
  TLabel* Label10 = nullptr;
  TLabel* Label3 = nullptr;
  TComboBox* ComboBoxH = nullptr;
  TComboBox* ComboBoxM = nullptr;
  TCheckBox* ChkPlay = nullptr;
  TCheckBox* ChkRepeat = nullptr;
  TEdit* EditRepeatMin = nullptr;
  TButton* BtnVolume = nullptr;
  TMediaPlayer* MediaPlayer1 = nullptr;
  TButton* ButtonOff = nullptr;
  TBitBtn* BitBtnClose = nullptr;
  TEdit* EditSnooze = nullptr;
  TDzButton* btnSnooze = nullptr;
  TDzButton* RepeatOffBtn = nullptr;
  TCheckBox* ChkFlash = nullptr;

  // Without a place on the screen.
  TTimer* Timer1 = nullptr;
  TTimer* Timer2 = nullptr;
  TTimer* Timer3 = nullptr;
  TTimer* Timer4 = nullptr;
  TTimer* TimerSnooze = nullptr;
  TTimer* Timerflash = nullptr;
  TOpenDialog* OpenDialog1 = nullptr;

  // Event handlers.
  void FormActivate(TObject* Sender);
  void FormStartupIdle(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormSessionEnd(TObject* Sender);
  void FormCreate(TObject* Sender);
  void FormKeyPress(TObject* Sender, char& Key);
  void FormMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void ButtonOffClick(TObject* Sender);
  void ChkRepeatClick(TObject* Sender);
  void EditRepeatMinChange(TObject* Sender);
  void MediaPlayer1Click(TObject* Sender, TMPBtnType Button, bool& DoDefault);
  void BtnSnoozeClick(TObject* Sender);
  void RepeatOffBtnClick(TObject* Sender);
  void SpeedButton1Click(TObject* Sender);
  void BtnVolumeClick(TObject* Sender);
  void LblURLClick(TObject* Sender);
  void Timer1Timer();
  void Timer2Timer();
  void Timer3Timer();
  void Timer4Timer();
  void TimerSnoozeTimer();
  void TimerflashTimer();

  // The five settings in the order of the settings file's lines.
  using SettingTexts = std::array<std::string, 5>;

  // The wake-up step of the alarm: display on, window maximised. Bound to
  // no window event.
  void FormDblClick(TObject* Sender);
  // The alarm check, every 10 s.
  void Alarm();
  // The alarm rings: what the check does when the clock reaches the alarm
  // minute, and what a resume after a sleep over that minute does.
  void RingAlarm();
  // The time from start to end (times of day), as the countdown shows it: a
  // negative difference is the time until the end time comes round again.
  void GetElapsedTime(Timestamp start, Timestamp end, std::uint16_t& hours, std::uint16_t& minutes,
                      std::uint16_t& seconds, std::uint16_t& milliseconds);
  // "hh:mm" of GetElapsedTime, or "hh:mm:ss:ms" with seconds.
  std::string FormatElapsedTime(Timestamp start, Timestamp end, bool withSeconds);

 protected:
  void BeforeDestruction() noexcept override;

 private:
  void BuildLayout(double scale);
  void BindEvents();
  void StartTimers();
  // Timer4's interval: repeat minutes after the end of the open song.
  void SetRepeatInterval();

  // Reads the settings file and applies it, once: at the first activation
  // or the loop's first idle moment, whichever comes first.
  void ReadSettings();
  void WriteSettings();
  // Until the file is read a close saves nothing: the controls hold the
  // layout's defaults. After a failed read it saves only what the user
  // changed from what the window showed then (alarm/Settings.cpp).
  enum class SettingsState { NotRead, Read, ReadFailed };
  SettingsState settings_ = SettingsState::NotRead;
  SettingTexts shownAfterFailedRead_;
  SettingTexts ShownSettings() const;

  // When the alarm check last read the clock (local milliseconds) since it
  // was last armed; a longer gap than a minute may have hidden the alarm.
  std::optional<std::int64_t> lastCheckMs_;
  // When the user last changed the alarm hour or minute text (local
  // milliseconds): while typing goes on, the check and the countdown leave
  // the half-typed time alone.
  std::optional<std::int64_t> alarmTypedAtMs_;
  void AlarmTimeEdited();
  bool TypingAlarmTime(std::int64_t nowMs) const;

  // The safeguards that keep the alarm from going unheard
  // (alarm/Form1Safeguards.cpp); they go first when the form is destroyed.
  void MakeSafeguards();
  void PlaySongFromStart(SongCue cue);  // Stop, Rewind, Play
  void SilenceWakeupSound();            // Snooze
  void WakeDisplay();                   // after the display power-on
  void AlarmTimeChanged();              // the hour or minute box's OnChange
  void PlayerButtonPressed(TMPBtnType button);  // before MediaPlayer1Click
  void PlayerNotified();                // the player's OnNotify

  // The timers go first when the form is destroyed, before the controls
  // their handlers use.
  std::unique_ptr<TTimer> timers_[6];
  // Declared after the timers it watches, so that it goes before them also
  // when the form is destroyed without BeforeDestruction.
  std::unique_ptr<AlarmSafeguards> safeguards_;
};

}  // namespace dz
