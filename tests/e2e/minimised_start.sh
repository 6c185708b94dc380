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
# shellcheck source=lib/alarm.bash
. "$here/lib/alarm.bash"

take_arguments "$@"
prepare_alarm_run minimised-start
make_songs "$run_dir"

# The current minute when enough of it is left for the start, else the next.
pick_alarm_minute this 25
settings_bytes "$song" "$alarm_h" "$alarm_m" 3 5 > "$run_dir/folderS.txt"
note "folderS.txt: $song, $alarm_h, $alarm_m, 3, 5"

start_recording "$artefacts/alarm.wav"
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

wait_ring
expect_song_heard
[ "$(text_at "$REPEAT_AT")" = 3 ] || fail "the repeat minutes are '$(text_at "$REPEAT_AT")', not 3 from the file"

close_app
expect_settings "$run_dir" "$song" "$alarm_h" "$alarm_m" 3 5
echo "PASS: started minimised without activation, the saved alarm rang"
