#include "platform/win32/Win32Power.h"

#include "runtime/Dispatch.h"

namespace dz::win32 {

namespace {
// The last error of a timer set while the system cannot resume
// (STATUS_TIMER_RESUME_IGNORED); not every SDK names it.
constexpr DWORD kTimerResumeIgnored = 722;
}  // namespace

void Win32ExecutionState::SetSystemRequired(bool required) {
  // The answer is the previous state, or 0 when refused; nothing can be
  // done about a refusal, so it is not looked at.
  SetThreadExecutionState(required ? ES_CONTINUOUS | ES_SYSTEM_REQUIRED : ES_CONTINUOUS);
}

bool Win32DisplayWake::WakeDisplay() {
  // Without ES_CONTINUOUS the request resets the display's idle timeout
  // once and leaves the thread's lasting request (system required) alone.
  const bool reset = SetThreadExecutionState(ES_DISPLAY_REQUIRED) != 0;
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_MOVE;  // relative, by 0 and 0: the pointer stays
  const bool moved = SendInput(1, &input, sizeof input) == 1;
  return reset && moved;
}

bool Win32WakeTimer::WakeAt(const LocalTime& when) {
  if (!timer_) timer_ = KernelHandle(CreateWaitableTimerA(nullptr, TRUE, nullptr));
  if (!timer_) return false;
  SYSTEMTIME local{};
  local.wYear = when.year;
  local.wMonth = when.month;
  local.wDay = when.day;
  local.wDayOfWeek = when.dayOfWeek;
  local.wHour = when.hour;
  local.wMinute = when.minute;
  local.wSecond = when.second;
  local.wMilliseconds = when.millisecond;
  // The local time of that day, daylight saving included, as UTC.
  SYSTEMTIME utc{};
  FILETIME due{};
  if (!TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) || !SystemTimeToFileTime(&utc, &due)) {
    Cancel();
    return false;
  }
  LARGE_INTEGER dueTime;
  dueTime.LowPart = due.dwLowDateTime;
  dueTime.HighPart = static_cast<LONG>(due.dwHighDateTime);  // positive: an absolute time
  SetLastError(ERROR_SUCCESS);
  const BOOL set = SetWaitableTimer(timer_.Get(), &dueTime, 0, nullptr, nullptr, TRUE);
  // A system that cannot resume sets the timer all the same and says so in
  // the last error; such a timer would wake nothing.
  const DWORD error = GetLastError();
  if (!set || error == ERROR_NOT_SUPPORTED || error == kTimerResumeIgnored) {
    Cancel();
    return false;
  }
  return true;
}

void Win32WakeTimer::Cancel() {
  if (timer_) CancelWaitableTimer(timer_.Get());
}

Win32PowerEvents& Win32PowerEvents::Instance() {
  static Win32PowerEvents instance;
  return instance;
}

void Win32PowerEvents::SetHandler(std::function<void(PowerChange)> handler) {
  handler_ = std::move(handler);
}

void Win32PowerEvents::Deliver(WPARAM event) noexcept {
  PowerChange change;
  switch (event) {
    case PBT_APMSUSPEND: change = PowerChange::Suspending; break;
    case PBT_APMRESUMEAUTOMATIC:
    case PBT_APMRESUMESUSPEND: change = PowerChange::Resumed; break;
    default: return;
  }
  Tell(change);
}

void Win32PowerEvents::DeliverTimeChange() noexcept { Tell(PowerChange::TimeChanged); }

void Win32PowerEvents::Tell(PowerChange change) noexcept {
  if (!handler_) return;
  std::function<void(PowerChange)> handler = handler_;  // it may replace itself
  Dispatch([&] { handler(change); });
}

}  // namespace dz::win32
