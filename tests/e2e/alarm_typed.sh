#!/usr/bin/env bash
# A night with the real program, end to end, shortened to two minutes:
#
# 1. Started in a fresh folder with no settings, it shows today's date, the
#    time and the time left until the default alarm at 06:50 (its labels
#    compared with the same texts drawn in their fonts).
# 2. Snooze minutes 1 and repeat minutes 3 are typed, then the alarm into
#    the combo boxes for the current minute (the next one when this one is
#    nearly over). Within the alarm minute the Snooze button takes the focus,
#    the window is maximised, the background flashes and the wake-up sound
#    plays (recorded from the null sink).
# 3. A key silences it: the flashing and the sound stop. A minute later the
#    sound comes back, and not before.
# 4. Exit writes folderS.txt with the five lines; a second start shows them.
#    With the file write-protected, Exit reports "File access denied." and
#    the window stays open; once it is writable again, Exit ends the program.
#
#   bash alarm_typed.sh EXE ARTEFACT_FOLDER
#
# It may wait for the next minute, and waits for a minute of snooze:
# Time limit: 300 s
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=lib/alarm.bash
. "$here/lib/alarm.bash"

take_arguments "$@"
prepare_alarm_run alarm-typed
# A long song, so that silence after the key is the program's doing.
song_hz=880
make_song "$run_dir/wakeup.wav" $song_hz 30

# --- 1. the clock and the countdown ------------------------------------------
# The labels as they stand for the clock at one instant (epoch seconds),
# each compared with its text drawn as the label draws it; 0 when all three
# show that instant's date, time and time left until 06:50.
labels_show() { # epoch
  local t=$1 date clock left h m out
  date=$(LC_ALL=C date -d "@$t" '+%A, %B %-d, %Y')
  clock=$(date -d "@$t" +%H:%M)
  h=$((10#$(date -d "@$t" +%H))) m=$((10#$(date -d "@$t" +%M)))
  left=$(((6 * 60 + 50 - h * 60 - m + 1440) % 1440))
  left=$(printf '%02d:%02d' $((left / 60)) $((left % 60)))
  # Label11 (the date), Label2 (the clock), Label8 (time left) on Panel1.
  out=$(probe text "$TITLE" 20 20 24 32 490 24 21 1 800000 "$date")
  note "date '$date': $(field "$out" differ) pixels differ of $(field "$out" ink)"
  [ "$(field "$out" differ)" = 0 ] || return 1
  out=$(probe text "$TITLE" 20 20 32 64 561 220 220 1 800000 "$clock")
  note "clock '$clock': $(field "$out" differ) pixels differ of $(field "$out" ink)"
  [ "$(field "$out" differ)" = 0 ] || return 1
  out=$(probe text "$TITLE" 20 20 576 40 60 24 21 0 800000 "$left")
  note "time left '$left': $(field "$out" differ) pixels differ of $(field "$out" ink)"
  [ "$(field "$out" differ)" = 0 ]
}

# The labels follow the clock once a second: they may still show the
# instant before the minute changed, and the time left shows 00:00 until
# the first tick.
check_labels() { # what
  local before t end=$((SECONDS + 10))
  while [ $SECONDS -lt $end ]; do
    before=$(date +%s)
    shot "$artefacts/$1.png"
    for t in "$before" $((before - 2)) "$(date +%s)"; do
      labels_show "$t" && return 0
    done
    sleep 0.5
  done
  fail "$1: the date, clock or time left is not the real one (see $1.png)"
}

start_app "$run_dir"
sleep 1  # the first activation reads the settings and opens the sound
check_labels clock-at-start

# --- 2. the alarm, typed -------------------------------------------------------
type_into "$REPEAT_AT" 3
type_into "$SNOOZE_MINUTES_AT" 1
# The alarm fires at the first check after the minute is typed, within
# 10 s; typing takes a few seconds more.
pick_alarm_minute this 25
note "alarm at $alarm_h:$alarm_m, $(seconds_left) s left in this minute"
snooze_hwnd=$(field "$(control_at "$SNOOZE_AT")" hwnd)
start_recording "$artefacts/alarm.wav"
type_into "$HOUR_AT" "$alarm_h"
type_into "$MINUTE_AT" "$alarm_m"

# The alarm gives the Snooze button the focus.
until_alarm=$((alarm_at - $(date +%s)))
[ $until_alarm -gt 0 ] || until_alarm=0
end=$((SECONDS + until_alarm + 20))
until [ "$(focus_now)" = "$snooze_hwnd" ]; do
  [ $SECONDS -lt $end ] || fail "the alarm did not fire within 20 s of $alarm_h:$alarm_m"
  sleep 0.2
done
note "the alarm fired $(($(date +%s) - alarm_at)) s into $alarm_h:$alarm_m"
[ "$(window_state)" = "1 0 1" ] || fail "the window is not maximised after the alarm (state $(window_state))"
wait_flashing 10 || fail "the background does not flash (see flash-*.png)"
flash_differ=$(compare -metric AE "$artefacts/flash-white.png" "$artefacts/flash-grey.png" null: 2>&1 || true)
note "flashing: the two screenshots differ in $flash_differ pixels"
wait_tone "$artefacts/alarm.wav" $song_hz 1500 15 || fail "the wake-up sound was not heard (alarm.wav)"
stop_recording
note "wake-up sound heard: $(tone_ms "$artefacts/alarm.wav" $song_hz) ms so far"

# --- 3. a key silences it; the snooze ends a minute later -----------------------
xdotool key --window "$wid" z </dev/null
key_at=$(date +%s)
wait_steady 10 || fail "the background still flashes after a key"
note "after the key the background stays #$steady"
start_recording "$artefacts/snoozing.wav"
# Silent until shortly before the snooze minute is over.
while [ $(($(date +%s) - key_at)) -lt 50 ]; do sleep 1; done
stop_recording
quiet=$(tone_ms "$artefacts/snoozing.wav" $song_hz)
note "during the snooze: $quiet ms of the song"
[ "$quiet" -le 300 ] || fail "the song went on after the key ($quiet ms in snoozing.wav)"
start_recording "$artefacts/after-snooze.wav"
wait_tone "$artefacts/after-snooze.wav" $song_hz 1500 $((key_at + 80 - $(date +%s))) ||
  fail "the song did not come back within 80 s of the key (after-snooze.wav)"
stop_recording
note "the song came back $(($(date +%s) - key_at)) s after the key (heard once 1.5 s of it had played)"

# --- 4. the settings file ---------------------------------------------------------
[ ! -e "$run_dir/folderS.txt" ] || fail "folderS.txt exists before the first close"
click_at "$EXIT_AT"
ended_well "after Exit"
line1=$(head -n 1 "$run_dir/folderS.txt" | tr -d '\r')
# The program names its folder as Wine gives it; it must be the same file.
[ "$(winepath -u "$line1" 2>/dev/null)" -ef "$run_dir/wakeup.wav" ] ||
  fail "line 1 of folderS.txt names '$line1', not the default sound"
sound=$line1
expect_settings "$run_dir" "$sound" "$alarm_h" "$alarm_m" 3 1
no_leftovers "$run_dir"
note "Exit wrote folderS.txt: $sound, $alarm_h, $alarm_m, 3, 1"
cp "$run_dir/folderS.txt" "$artefacts/folderS-written.txt"

start_app "$run_dir"
sleep 1
for check in "$HOUR_AT $alarm_h" "$MINUTE_AT $alarm_m" "$REPEAT_AT 3" "$SNOOZE_MINUTES_AT 1"; do
  read -r x y want <<<"$check"
  [ "$(text_at "$x $y")" = "$want" ] || fail "after a restart the control at $x,$y holds '$(text_at "$x $y")', not $want"
done
note "the second start shows $alarm_h, $alarm_m, 3 and 1"

chmod a-w "$run_dir/folderS.txt"
click_at "$EXIT_AT"
wait_popup 15 || fail "no box after Exit with a write-protected settings file"
note "box: $(tr '\n' ' ' <<<"$popups")"
grep -qx 'label File access denied\.' <<<"$popups" || fail "the box does not say 'File access denied.': $popups"
shot "$artefacts/access-denied.png"
close_box
kill -0 "$app_pid" 2>/dev/null || fail "the program ended although the settings were not written"
probe info "$TITLE" >/dev/null || fail "the window closed although the settings were not written"
cmp -s "$run_dir/folderS.txt" "$artefacts/folderS-written.txt" || fail "the write-protected folderS.txt changed"
no_leftovers "$run_dir"
note "the window stays open and folderS.txt is as it was"

chmod u+w "$run_dir/folderS.txt"
click_at "$EXIT_AT"
ended_well "after Exit once the file was writable"
expect_settings "$run_dir" "$sound" "$alarm_h" "$alarm_m" 3 1
no_leftovers "$run_dir"
echo "PASS: an alarm typed into the window, its snooze, and its settings kept"
