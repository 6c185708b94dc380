#pragma once
// What keeps a laptop's alarm from going unheard, in one place. It watches
// the alarm check, the repeat and the snooze timers, the alarm time and the
// media player, and:
//
//  - asks the system not to sleep on idle while any of the three timers runs
//    or the wake-up sound loops, and withdraws the request otherwise and
//    when it goes;
//  - while the alarm check runs, keeps one wake timer at the start of the
//    next alarm minute, as the alarm check reads the hour and minute texts
//    (none when they do not make a time of day);
//  - when the system resumes and the alarm minute fell within the sleep,
//    with the alarm check running before and after, rings the alarm at
//    once, once;
//  - when the song cannot be played (nothing open, the player refuses it,
//    or the device reports a failure while it plays), loops the built-in
//    wake-up sound until Snooze or the player's Stop button. It starts
//    half a second after the failure: the error box that reports the
//    failure may sound the system's own alert as it opens, and a sound
//    started later takes over from that one rather than being cut off by
//    it;
//  - unmutes a muted sound output when the alarm rings with sound.
//
// It reaches the system through the ports of alarm/SafeguardPorts.h and does
// without any that is missing. It hooks itself to the timers' state
// observers and chains itself to the hour and minute boxes' OnChange and the
// player's OnClick and OnNotify, all of which it gives back when it goes; it
// must go before them.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "alarm/SafeguardPorts.h"
#include "media/MediaPlayer.h"
#include "runtime/Timer.h"
#include "ui/StdCtrls.h"

namespace dz {

// Where the song is to start.
enum class SongCue : std::uint8_t {
  Alarm,      // the alarm rings (with sound)
  Repeat,     // the repeat timer replays it
  SnoozeEnd,  // a snooze has ended
};

class AlarmSafeguards {
 public:
  struct Watched {
    TTimer& alarmCheck;
    TTimer& repeat;
    TTimer& snooze;
    TComboBox& hour;
    TComboBox& minute;
    TMediaPlayer& player;
  };

  // `ringAlarm` rings the alarm as the alarm check does when it matches;
  // `wakeupSound` makes the bytes of the built-in sound (once, on first
  // need).
  AlarmSafeguards(const Watched& watched, std::function<void()> ringAlarm,
                  std::function<std::vector<std::uint8_t>()> wakeupSound);
  ~AlarmSafeguards();
  AlarmSafeguards(const AlarmSafeguards&) = delete;
  AlarmSafeguards& operator=(const AlarmSafeguards&) = delete;

  // Runs `play`, the step that starts the song. When it fails or the player
  // refuses the request, the wake-up sound is on its way and the failure
  // goes on to the caller; otherwise a failure the device reports while the
  // song plays brings it on later. For the alarm, a muted output is unmuted
  // first.
  void PlaySong(SongCue cue, const std::function<void()>& play);

  // Snooze: the wake-up sound stops (the player's Stop button does the same
  // by itself).
  void Silence() noexcept;

  // The wake-up sound loops or is about to.
  bool WakeupSoundOn() const noexcept { return looping_ || soundDelay_.Enabled(); }

  // From a failure to the wake-up sound.
  static constexpr std::uint32_t kWakeupSoundDelayMs = 500;

 private:
  void Update() noexcept;
  void UpdateKeepAwake() noexcept;
  void UpdateWakeTimer() noexcept;
  void StartWakeupSound() noexcept;
  void PlayWakeupSound() noexcept;
  void PowerChanged(PowerChange change);

  Watched watched_;
  std::function<void()> ringAlarm_;
  std::function<std::vector<std::uint8_t>()> wakeupSound_;
  std::shared_ptr<const std::vector<std::uint8_t>> wakeupBytes_;
  TTimer soundDelay_;

  // The ports as they were when the safeguards were made.
  ExecutionState* executionState_;
  WakeTimer* wakeTimer_;
  PowerEvents* power_;
  FallbackSound* fallbackSound_;
  AudioEndpoint* audioEndpoint_;

  // The handlers that were there before, given back at the end.
  TNotifyEvent hourChange_;
  TNotifyEvent minuteChange_;
  EMPNotify playerClick_;
  TNotifyEvent playerNotify_;

  bool keptAwake_ = false;
  std::optional<LocalTime> wakeSetFor_;
  // Milliseconds of local time when the system went to sleep with the alarm
  // check running; cleared by the first resume report.
  std::optional<std::int64_t> suspendedAt_;
  bool looping_ = false;
  // A song was started and has not been silenced: a failure the device
  // reports now means the song stopped short.
  bool songStarted_ = false;
};

}  // namespace dz
