#include "alarm/AlarmSafeguards.h"

#include <utility>

#include "alarm/AlarmTime.h"
#include "runtime/Clock.h"
#include "runtime/DateTime.h"
#include "runtime/Platform.h"

namespace dz {

namespace {

constexpr std::int64_t kMsPerMinute = 60000;

bool SameTime(const LocalTime& a, const LocalTime& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
         a.minute == b.minute && a.second == b.second && a.millisecond == b.millisecond;
}

std::optional<std::int64_t> NowMs() {
  Clock* clock = CurrentPlatform().clock;
  if (!clock) return std::nullopt;
  return MsSinceEpoch(clock->Now());
}

}  // namespace

AlarmSafeguards::AlarmSafeguards(const Watched& watched, std::function<void()> ringAlarm,
                                 std::function<std::vector<std::uint8_t>()> wakeupSound)
    : watched_(watched),
      ringAlarm_(std::move(ringAlarm)),
      wakeupSound_(std::move(wakeupSound)),
      executionState_(CurrentPlatform().executionState),
      wakeTimer_(CurrentPlatform().wakeTimer),
      power_(CurrentPlatform().power),
      fallbackSound_(CurrentPlatform().fallbackSound),
      audioEndpoint_(CurrentPlatform().audioEndpoint),
      displayWake_(CurrentPlatform().displayWake) {
  resumeRing_.SetEnabled(false);
  resumeRing_.SetInterval(kResumeRingDelayMs);
  resumeRing_.SetOnTimer([this] { RingAfterResume(); });
  for (TTimer* timer : {&watched_.alarmCheck, &watched_.repeat, &watched_.snooze}) {
    timer->SetStateObserver([this] { Update(); });
  }
  if (power_) power_->SetHandler([this](PowerChange change) { PowerChanged(change); });
  Update();
}

AlarmSafeguards::~AlarmSafeguards() {
  if (power_) power_->SetHandler({});
  for (TTimer* timer : {&watched_.alarmCheck, &watched_.repeat, &watched_.snooze}) {
    timer->SetStateObserver({});
  }
  if (looping_ && fallbackSound_) fallbackSound_->Stop();
  if (wakeSetFor_ && wakeTimer_) wakeTimer_->Cancel();
  if (keptAwake_ && executionState_) executionState_->SetSystemRequired(false);
}

void AlarmSafeguards::PlaySong(SongCue cue, const std::function<void()>& play) {
  const bool askedFor = cue != SongCue::SnoozeEnd || watched_.soundAlarm.Checked();
  if (askedFor && audioEndpoint_ && audioEndpoint_->DefaultOutputMuted()) {
    audioEndpoint_->UnmuteDefaultOutput();
  }
  songStarted_ = false;
  try {
    play();
  } catch (...) {
    StartWakeupSound();
    throw;
  }
  // The player raises only without an open device; a refused request shows
  // in its last error.
  if (watched_.player.LastError() != 0) {
    StartWakeupSound();
  } else {
    songStarted_ = true;
  }
}

void AlarmSafeguards::Silence() noexcept {
  songStarted_ = false;
  if (looping_) {
    if (fallbackSound_) fallbackSound_->Stop();
    looping_ = false;
  }
  UpdateKeepAwake();
}

void AlarmSafeguards::StartWakeupSound() noexcept {
  if (looping_ || !fallbackSound_) return;
  try {
    if (!wakeupBytes_ && wakeupSound_) {
      wakeupBytes_ = std::make_shared<const std::vector<std::uint8_t>>(wakeupSound_());
    }
  } catch (...) {
    // No sound to play; the error box still tells of the failure.
  }
  if (wakeupBytes_) looping_ = fallbackSound_->PlayLooped(wakeupBytes_);
  UpdateKeepAwake();
}

void AlarmSafeguards::PlayerNotified() noexcept {
  if (songStarted_ && watched_.player.NotifyResult() == NotifyFailure) StartWakeupSound();
}

void AlarmSafeguards::WakeDisplay() noexcept {
  if (displayWake_) displayWake_->WakeDisplay();
}

void AlarmSafeguards::Update() noexcept {
  UpdateKeepAwake();
  UpdateWakeTimer();
}

void AlarmSafeguards::UpdateKeepAwake() noexcept {
  if (!executionState_) return;
  const bool wanted = watched_.alarmCheck.Running() || watched_.repeat.Running() ||
                      watched_.snooze.Running() || WakeupSoundOn();
  if (wanted == keptAwake_) return;
  executionState_->SetSystemRequired(wanted);
  keptAwake_ = wanted;
}

void AlarmSafeguards::UpdateWakeTimer(bool again) noexcept {
  if (!wakeTimer_) return;
  std::optional<LocalTime> wanted;
  try {
    const std::optional<std::int64_t> now = NowMs();
    const std::optional<std::int64_t> minute =
        AlarmMinuteOfDay(watched_.hour.Text(), watched_.minute.Text());
    if (watched_.alarmCheck.Running() && now && minute) {
      // The next start of the alarm minute after now: within the alarm
      // minute itself the check is about to ring, so that is tomorrow's.
      std::int64_t start = LastAlarmStart(*now, *minute);
      if (start <= *now) start += kMsPerDay;
      wanted = LocalTimeFromMs(start);
    }
  } catch (...) {
    wanted.reset();  // no memory for a text: no wake timer rather than a wrong one
  }
  if (wanted) {
    if (!again && wakeSetFor_ && SameTime(*wakeSetFor_, *wanted)) return;
    // A refused timer is asked for again at the next change.
    if (wakeTimer_->WakeAt(*wanted)) {
      wakeSetFor_ = wanted;
    } else {
      wakeSetFor_.reset();
    }
  } else if (wakeSetFor_) {
    wakeTimer_->Cancel();
    wakeSetFor_.reset();
  }
}

void AlarmSafeguards::PowerChanged(PowerChange change) {
  const std::optional<std::int64_t> now = NowMs();
  if (change == PowerChange::Suspending) {
    if (watched_.alarmCheck.Running() && now) suspendedAt_ = now;
    return;
  }
  // The clock moved on while the system slept, or was set: the same local
  // time may now be another moment.
  UpdateKeepAwake();
  UpdateWakeTimer(true);
  if (change != PowerChange::Resumed) return;
  // The system tells of one resume up to twice; only the first counts.
  const std::optional<std::int64_t> suspendedAt = std::exchange(suspendedAt_, std::nullopt);
  if (!suspendedAt || !now || !watched_.alarmCheck.Running()) return;
  const std::optional<std::int64_t> minute =
      AlarmMinuteOfDay(watched_.hour.Text(), watched_.minute.Text());
  if (!minute) return;
  // Missed when the alarm minute overlaps the sleep: it began before the
  // resume and had not ended when the system went to sleep.
  const std::int64_t start = LastAlarmStart(*now, *minute);
  if (start + kMsPerMinute <= *suspendedAt) return;
  // Rung from the message loop: boxes and sound have no place inside the
  // system's report.
  try {
    resumeRing_.SetEnabled(true);
  } catch (const EOutOfResources&) {
    RingAfterResume();  // no timer to spare: at once, then
  }
}

void AlarmSafeguards::RingAfterResume() {
  resumeRing_.SetEnabled(false);
  // The check may have rung the missed minute in the meantime (it stops
  // itself then); the alarm rings once.
  if (watched_.alarmCheck.Running() && ringAlarm_) ringAlarm_();
}

}  // namespace dz
