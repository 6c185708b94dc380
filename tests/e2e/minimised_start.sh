#!/usr/bin/env bash
# Started as a shortcut set to "Minimized" starts it (minimised, never
# activated), the program still rings at the minute of its settings file with
# the song the file names: the settings are read when start-up is over, not
# only when the window is first activated. The window comes back maximised
# at that minute and the song is recorded from the null sink; closing writes
# the five lines back.
#
#   bash minimised_start.sh EXE ARTEFACT_FOLDER
# The alarm minute is the current one or the next: at most about 90 s.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=lib/app.bash
. "$here/lib/app.bash"
# shellcheck source=lib/alarm.bash
. "$here/lib/alarm.bash"

[ $# -ge 2 ] || { echo "usage: minimised_start.sh EXE ARTEFACTS" >&2; exit 2; }
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
mkdir -p "$2"
artefacts=$(cd "$2" && pwd)/minimised-start
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

# The current minute when enough of it is left for the start, else the next.
pick_alarm_minute this 25
settings_bytes "$song" "$alarm_h" "$alarm_m" 3 5 > "$run_dir/folderS.txt"
note "folderS.txt: $song, $alarm_h, $alarm_m, 3, 5"

start_recording "$artefacts/alarm.wav"
trap alarm_cleanup EXIT
(cd "$run_dir" && exec wine "$PROBE" start "$(winpath "$run_dir/dozewell.exe")" \
  </dev/null >"$run_dir/start.log" 2>&1) &
app_pid=$!
# A minimised main window is hidden; the probe still finds it.
for _ in $(seq 100); do probe info "$TITLE" >/dev/null && break; sleep 0.2; done
probe info "$TITLE" >/dev/null || fail "no window titled '$TITLE' within 20 s"
state=$(window_state)
note "started: state $state (zoomed iconic visible), the alarm in $((alarm_at - $(date +%s))) s"
# The first alarm check comes 10 s after the start.
[ "$state" = "0 0 0" ] || fail "the window did not start minimised and hidden behind its taskbar button"

until_alarm=$((alarm_at - $(date +%s)))
[ "$until_alarm" -gt 0 ] || until_alarm=0
wait_maximised $((until_alarm + 20)) ||
  fail "the window did not come back maximised within 20 s of $alarm_h:$alarm_m (state $(window_state))"
note "the alarm fired $(($(date +%s) - alarm_at)) s into $alarm_h:$alarm_m"
wait_tone "$artefacts/alarm.wav" $song_hz 1500 15 || fail "the song of the settings file was not heard (alarm.wav)"
stop_recording
default_heard=$(tone_ms "$artefacts/alarm.wav" $default_hz)
note "heard the song for $(tone_ms "$artefacts/alarm.wav" $song_hz) ms, the default sound for $default_heard ms"
[ "$default_heard" -le 300 ] || fail "the default sound played instead of the settings file's song"
[ "$(text_at "$REPEAT_AT")" = 3 ] || fail "the repeat minutes are '$(text_at "$REPEAT_AT")', not 3 from the file"

probe close "$TITLE" >/dev/null
wait_exit 15 || fail "the program is still running 15 s after its window was closed"
[ "$app_rc" = 0 ] || fail "closing ended the program with exit code $app_rc"
expect_settings "$run_dir" "$song" "$alarm_h" "$alarm_m" 3 5
echo "PASS: started minimised without activation, the saved alarm rang"
