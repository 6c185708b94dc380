// Alarm application: TForm1 and its handlers.
#include "alarm/Unit1.h"

namespace dz {

TForm1::TForm1(TComponent* owner, double scale) : TForm(owner) {
  BuildLayout(scale);
  BindEvents();
  StartTimers();
  DoCreate();
}

TForm1::~TForm1() = default;

void TForm1::BeforeDestruction() noexcept {
  for (auto& timer : timers_) timer.reset();
  TForm::BeforeDestruction();
}

// The handlers' behaviour comes with the alarm logic.
void TForm1::FormActivate(TObject*) {}
void TForm1::FormClose(TObject*, TCloseAction&) {}
void TForm1::FormCreate(TObject*) {}
void TForm1::FormKeyPress(TObject*, char&) {}
void TForm1::FormMouseMove(TObject*, TShiftState, int, int) {}
void TForm1::ButtonOffClick(TObject*) {}
void TForm1::ChkRepeatClick(TObject*) {}
void TForm1::EditRepeatMinChange(TObject*) {}
void TForm1::MediaPlayer1Click(TObject*, TMPBtnType, bool&) {}
void TForm1::BtnSnoozeClick(TObject*) {}
void TForm1::RepeatOffBtnClick(TObject*) {}
void TForm1::SpeedButton1Click(TObject*) {}
void TForm1::BtnVolumeClick(TObject*) {}
void TForm1::LblURLClick(TObject*) {}
void TForm1::Timer1Timer() {}
void TForm1::Timer2Timer() {}
void TForm1::Timer3Timer() {}
void TForm1::Timer4Timer() {}
void TForm1::TimerSnoozeTimer() {}
void TForm1::TimerflashTimer() {}

}  // namespace dz
