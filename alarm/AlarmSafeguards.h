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
//    with the alarm check running before and after, rings the alarm once,
//    from the message loop right after the resume report (not inside it),
//    unless the check has rung by then;
//  - sets the wake timer again after every resume and every change of the
//    system time or time zone, even for the same local time: the system
//    keeps it in universal time;
//  - when the song cannot be played (nothing open, the player refuses it,
//    or the device reports a failure while it plays), loops the built-in
//    wake-up sound at once until Snooze or the player's Stop button. It
//    plays on a stream of its own, so the error box's alert or any other
//    sound of the program does not cut it off;
//  - unmutes a muted sound output at every ring the user asked to hear
//    (Sound Alarm ticked);
//  - brings the display on at the alarm and when a mouse move ends the dark
//    phase, where the display power command alone is ignored.
//
// It reaches the system through the ports of alarm/SafeguardPorts.h and does
// without any that is missing. It hooks itself to the timers' state
// observers, which it gives back when it goes (it must go before them); the
// form tells it of the alarm time and the player through the hooks below.
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
    TCheckBox& soundAlarm;
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
  // refuses the request, the wake-up sound plays and the failure goes on to
  // the caller; otherwise a failure the device reports while the song plays
  // brings it on later. A muted output is unmuted first when the ring is
  // one the user asked to hear: the alarm and the repeat play only with
  // Sound Alarm ticked; the end of a snooze plays also with it unticked,
  // and then leaves the mute alone.
  void PlaySong(SongCue cue, const std::function<void()>& play);

  // Snooze: the wake-up sound stops.
  void Silence() noexcept;

  // The hour or minute text changed: the wake timer moves before anything
  // else runs.
  void AlarmTimeChanged() noexcept { Update(); }
  // A button of the player was pressed, before its own action: Stop
  // silences the wake-up sound as well.
  void PlayerButtonPressed(TMPBtnType button) noexcept {
    if (button == btStop) Silence();
  }
  // The player's completion notice: a failure while the song plays brings
  // on the wake-up sound.
  void PlayerNotified() noexcept;

  // The alarm, or a mouse move that ended the dark phase, wants the
  // display on (never call it while the display is to stay dark).
  void WakeDisplay() noexcept;

  // The wake-up sound loops.
  bool WakeupSoundOn() const noexcept { return looping_; }

  // From a resume report to the ring it causes: the shortest timer the
  // system keeps.
  static constexpr std::uint32_t kResumeRingDelayMs = 10;

 private:
  void Update() noexcept;
  void UpdateKeepAwake() noexcept;
  // `again`: set the timer even when its local time is unchanged.
  void UpdateWakeTimer(bool again = false) noexcept;
  void StartWakeupSound() noexcept;
  void PowerChanged(PowerChange change);
  void RingAfterResume();

  Watched watched_;
  std::function<void()> ringAlarm_;
  std::function<std::vector<std::uint8_t>()> wakeupSound_;
  std::shared_ptr<const std::vector<std::uint8_t>> wakeupBytes_;
  // The ring a resume has found missed, on its way through the message loop.
  TTimer resumeRing_;

  // The ports as they were when the safeguards were made.
  ExecutionState* executionState_;
  WakeTimer* wakeTimer_;
  PowerEvents* power_;
  FallbackSound* fallbackSound_;
  AudioEndpoint* audioEndpoint_;
  DisplayWake* displayWake_;

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
