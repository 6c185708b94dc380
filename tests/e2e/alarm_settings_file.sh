#!/usr/bin/env bash
# An alarm given through the settings file, end to end: folderS.txt, written
# here before the start, names a song of its own (a tone unlike the default
# sound beside the program) and the current minute (the next one when this
# one is nearly over), the hour and minute without leading zeros. The
# program, started and minimised, comes back maximised within the alarm
# minute, flashes and plays that song. Closing it writes the five lines back
# as they stand then: the alarm check has padded the hour and minute.
#
#   bash alarm_settings_file.sh EXE ARTEFACT_FOLDER
#
# It may wait for the next minute:
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

# Start-up and the first check take up to 15 s.
pick_alarm_minute this 25
hour=$((10#$alarm_h)) minute=$((10#$alarm_m))
settings_bytes "$song" "$hour" "$minute" 4 7 > "$run_dir/folderS.txt"
note "folderS.txt: $song, $hour, $minute, 4, 7; $(seconds_left) s left in this minute"

start_recording "$artefacts/alarm.wav"
start_app "$run_dir"
trap alarm_cleanup EXIT
wid=$(main_wid) || fail "xdotool does not see the window"
# The first activation has applied the settings once the repeat minutes show.
for _ in $(seq 100); do [ "$(text_at "$REPEAT_AT")" = 4 ] && break; sleep 0.1; done
[ "$(text_at "$REPEAT_AT")" = 4 ] || fail "the repeat minutes are '$(text_at "$REPEAT_AT")', not 4 from the file"
probe minimize "$TITLE" >/dev/null
for _ in $(seq 50); do [ "$(window_state)" != "1 0 1" ] && break; sleep 0.1; done
[ "$(window_state)" != "1 0 1" ] || fail "the window did not minimise"

until_alarm=$((alarm_at - $(date +%s)))
[ $until_alarm -gt 0 ] || until_alarm=0
wait_maximised $((until_alarm + 20)) ||
  fail "the window did not come back maximised within 20 s of $alarm_h:$alarm_m (state $(window_state))"
note "the alarm fired $(($(date +%s) - alarm_at)) s into $alarm_h:$alarm_m"
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
