#!/usr/bin/env bash
# An alarm given through the settings file, end to end: folderS.txt, written
# here before the start, names a song of its own (a tone unlike the default
# sound beside the program) and a minute that begins a few seconds after the
# start, the hour and minute without leading zeros. The program is started,
# switched off with "Switch off screen - Go to sleep" and minimised; within
# the alarm minute it comes back maximised with the focus on Snooze,
# flashes and plays that song. Closing it writes the five lines back as they
# stand then: the alarm check has padded the hour and minute.
#
#   bash alarm_settings_file.sh EXE ARTEFACT_FOLDER
#
# It waits for the next minute or the one after:
# Time limit: 240 s
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=lib/app.bash
. "$here/lib/app.bash"
# shellcheck source=lib/alarm.bash
. "$here/lib/alarm.bash"

[ $# -ge 2 ] || { echo "usage: alarm_settings_file.sh EXE ARTEFACTS" >&2; exit 2; }
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
mkdir -p "$2"
artefacts=$(cd "$2" && pwd)/alarm-settings-file
rm -rf "$artefacts"
mkdir -p "$artefacts"
find_probe "$exe"
find_sound_probe "$exe"

run_dir="$artefacts/run"
prepare_folder "$exe" "$run_dir"
default_hz=880
make_song "$run_dir/wakeup.wav" $default_hz 20
song_hz=523
mkdir -p "$run_dir/songs"
make_song "$run_dir/songs/morning.wav" $song_hz 20
song=$(winpath "$run_dir/songs/morning.wav")

# A minute that begins after the program has started, read the file, been
# switched off and minimised: a few seconds.
pick_alarm_minute later 15
hour=$((10#$alarm_h)) minute=$((10#$alarm_m))
settings_bytes "$song" "$hour" "$minute" 4 7 > "$run_dir/folderS.txt"
note "folderS.txt: $song, $hour, $minute, 4, 7; the alarm in $((alarm_at - $(date +%s))) s"

start_app "$run_dir"
trap alarm_cleanup EXIT
wid=$(main_wid) || fail "xdotool does not see the window"
# The first activation has applied the settings once the repeat minutes show.
for _ in $(seq 100); do [ "$(text_at "$REPEAT_AT")" = 4 ] && break; sleep 0.1; done
[ "$(text_at "$REPEAT_AT")" = 4 ] || fail "the repeat minutes are '$(text_at "$REPEAT_AT")', not 4 from the file"
snooze_hwnd=$(field "$(control_at "$SNOOZE_AT")" hwnd)

click_at "$SWITCH_OFF_AT"
# The click is handled when the focus has moved to the button.
wait_focus = "$(field "$(control_at "$SWITCH_OFF_AT")" hwnd)" || fail "the switch-off button did not take the click"
if wait_popup 1; then fail "a box opened on switching off: $popups"; fi
probe minimize "$TITLE" >/dev/null
for _ in $(seq 50); do [ "$(window_state)" != "1 0 1" ] && break; sleep 0.1; done
note "switched off and minimised: state $(window_state) (zoomed iconic visible), $((alarm_at - $(date +%s))) s before the alarm"
[ "$(window_state)" != "1 0 1" ] || fail "the window did not minimise"
[ "$(date +%s)" -lt "$alarm_at" ] || fail "starting took too long: the alarm minute had begun"
start_recording "$artefacts/alarm.wav"

until_alarm=$((alarm_at - $(date +%s)))
wait_maximised $((until_alarm + 20)) ||
  fail "the window did not come back maximised within 20 s of $alarm_h:$alarm_m (state $(window_state))"
note "the alarm fired $(($(date +%s) - alarm_at)) s into $alarm_h:$alarm_m"
[ "$(focus_now)" = "$snooze_hwnd" ] || fail "the Snooze button does not have the focus after the alarm"
wait_flashing 10 || fail "the background does not flash (see flash-*.png)"
wait_tone "$artefacts/alarm.wav" $song_hz 1500 15 || fail "the song of the settings file was not heard (alarm.wav)"
stop_recording
default_heard=$(tone_ms "$artefacts/alarm.wav" $default_hz)
note "heard the song of the settings file for $(tone_ms "$artefacts/alarm.wav" $song_hz) ms, the default sound for $default_heard ms"
[ "$default_heard" -le 300 ] || fail "the default sound played instead of the settings file's song"

[ "$(text_at "$SNOOZE_MINUTES_AT")" = 7 ] || fail "the snooze minutes are '$(text_at "$SNOOZE_MINUTES_AT")', not 7"
probe close "$TITLE" >/dev/null
wait_exit 15 || fail "the program is still running 15 s after its window was closed"
[ "$app_rc" = 0 ] || fail "closing ended the program with exit code $app_rc"
expect_settings "$run_dir" "$song" "$alarm_h" "$alarm_m" 4 7
no_leftovers "$run_dir"
echo "PASS: an alarm given through the settings file"
