#!/usr/bin/env bash
# A night with the real program, end to end, shortened to two minutes:
#
# 1. Started in a fresh folder with no settings, it shows today's date, the
#    time and the time left until the default alarm at 06:50 (its labels
#    compared with the same texts drawn in their fonts).
# 2. Snooze minutes 1 and repeat minutes 3 are typed, and the alarm is typed
#    into the combo boxes for the next minute (the one after when the next
#    begins too soon); "Switch off screen - Go to sleep" is pressed and the
#    window minimised. Within the alarm minute the window comes back maximised, the
#    Snooze button has the focus, the background flashes and the wake-up
#    sound plays (recorded from the null sink).
# 3. A key silences it: the flashing and the sound stop. A minute later the
#    sound comes back, and not before.
# 4. Exit writes folderS.txt with the five lines; a second start shows them.
#    With the file write-protected, Exit reports "File access denied." and
#    the window stays open; once it is writable again, Exit ends the program.
#
#   bash alarm_typed.sh EXE ARTEFACT_FOLDER
#
# It waits for the alarm minute and a minute of snooze:
# Time limit: 360 s
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=lib/app.bash
. "$here/lib/app.bash"
# shellcheck source=lib/alarm.bash
. "$here/lib/alarm.bash"

[ $# -ge 2 ] || { echo "usage: alarm_typed.sh EXE ARTEFACTS" >&2; exit 2; }
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
mkdir -p "$2"
artefacts=$(cd "$2" && pwd)/alarm-typed
rm -rf "$artefacts"
mkdir -p "$artefacts"
find_probe "$exe"
find_sound_probe "$exe"

run_dir="$artefacts/run"
prepare_folder "$exe" "$run_dir"
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
trap alarm_cleanup EXIT
wid=$(main_wid) || fail "xdotool does not see the window"
sleep 1  # the first activation reads the settings and opens the sound
check_labels clock-at-start

# --- 2. the alarm, typed -------------------------------------------------------
type_into "$REPEAT_AT" 3
type_into "$SNOOZE_MINUTES_AT" 1
# A minute that begins after the hour and minute are typed, the screen is
# switched off and the window is minimised: about 5 s.
pick_alarm_minute later 12
note "alarm at $alarm_h:$alarm_m, in $((alarm_at - $(date +%s))) s"
type_into "$HOUR_AT" "$alarm_h"
type_into "$MINUTE_AT" "$alarm_m"
snooze_hwnd=$(field "$(control_at "$SNOOZE_AT")" hwnd)

click_at "$SWITCH_OFF_AT"
# The click is handled when the focus has moved to the button.
focus=$(field "$(control_at "$SWITCH_OFF_AT")" hwnd)
wait_focus = "$focus" || fail "the switch-off button did not take the click"
if wait_popup 1; then fail "a box opened on switching off: $popups"; fi
probe minimize "$TITLE" >/dev/null
for _ in $(seq 50); do [ "$(window_state)" != "1 0 1" ] && break; sleep 0.1; done
note "minimised: state $(window_state) (zoomed iconic visible), $((alarm_at - $(date +%s))) s before the alarm"
[ "$(window_state)" != "1 0 1" ] || fail "the window did not minimise"
[ "$(date +%s)" -lt "$alarm_at" ] || fail "setting the alarm took too long: the alarm minute had begun"
start_recording "$artefacts/alarm.wav"

until_alarm=$((alarm_at - $(date +%s)))
[ $until_alarm -gt 0 ] || until_alarm=0
wait_maximised $((until_alarm + 20)) ||
  fail "the window did not come back maximised within 20 s of $alarm_h:$alarm_m (state $(window_state))"
fired=$(date +%s)
note "the alarm fired $((fired - alarm_at)) s into $alarm_h:$alarm_m"
[ "$(focus_now)" = "$snooze_hwnd" ] || fail "the Snooze button does not have the focus after the alarm"
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
wait_exit 15 || fail "the program is still running 15 s after Exit"
[ "$app_rc" = 0 ] || fail "Exit ended the program with exit code $app_rc"
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
trap alarm_cleanup EXIT
wid=$(main_wid) || fail "xdotool does not see the window after the second start"
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
box=$(timeout 10 xdotool search --sync --onlyvisible --name '^Dozewell$' </dev/null | head -n 1) ||
  fail "xdotool does not see the box"
xdotool key --window "$box" Return </dev/null
wait_no_popup 15 || fail "the box did not close"
kill -0 "$app_pid" 2>/dev/null || fail "the program ended although the settings were not written"
probe info "$TITLE" >/dev/null || fail "the window closed although the settings were not written"
cmp -s "$run_dir/folderS.txt" "$artefacts/folderS-written.txt" || fail "the write-protected folderS.txt changed"
no_leftovers "$run_dir"
note "the window stays open and folderS.txt is as it was"

chmod u+w "$run_dir/folderS.txt"
click_at "$EXIT_AT"
wait_exit 15 || fail "Exit did not end the program once the file was writable"
[ "$app_rc" = 0 ] || fail "exit code $app_rc"
expect_settings "$run_dir" "$sound" "$alarm_h" "$alarm_m" 3 1
no_leftovers "$run_dir"
echo "PASS: an alarm typed into the window, its snooze, and its settings kept"
