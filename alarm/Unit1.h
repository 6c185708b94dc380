#pragma once
// The main window: class TForm1 with every control of the layout, built in
// the constructor (alarm/Form1Layout.cpp), and its event handlers.
#include <memory>

#include "media/MediaPlayer.h"
#include "runtime/Timer.h"
#include "ui/Buttons.h"
#include "ui/DzButton.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/OpenDialog.h"
#include "ui/RTFLabel.h"
#include "ui/StdCtrls.h"

namespace dz {

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
  void FormClose(TObject* Sender, TCloseAction& Action);
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

 protected:
  void BeforeDestruction() noexcept override;

 private:
  void BuildLayout(double scale);
  void BindEvents();
  void StartTimers();

  // The timers go first when the form is destroyed, before the controls
  // their handlers use.
  std::unique_ptr<TTimer> timers_[6];
};

}  // namespace dz
