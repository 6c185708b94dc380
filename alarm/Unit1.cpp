// Alarm application: TForm1 and its handlers.
#include "alarm/Unit1.h"

namespace dz {

bool ScreenOff = false;
bool SnoozeOnKey = false;
std::string SnoozeRepeatMark;

std::string SettingSoundFile;
std::string SettingAlarmHour;
std::string SettingAlarmMinute;
std::string SettingRepeatMinutes;
std::string SettingSnoozeMinutes;

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

}  // namespace dz
