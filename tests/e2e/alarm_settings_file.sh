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
# shellcheck source=lib/alarm.bash
. "$here/lib/alarm.bash"

take_arguments "$@"
prepare_alarm_run alarm-settings-file
make_songs "$run_dir"

# A minute that begins after the program has started, read the file, been
# switched off and minimised: a few seconds.
pick_alarm_minute later 15
hour=$((10#$alarm_h)) minute=$((10#$alarm_m))
settings_bytes "$song" "$hour" "$minute" 4 7 > "$run_dir/folderS.txt"
note "folderS.txt: $song, $hour, $minute, 4, 7; the alarm in $((alarm_at - $(date +%s))) s"

start_app "$run_dir"
# The first activation has applied the settings once the repeat minutes show.
wait_text "$REPEAT_AT" 4 100 || fail "the repeat minutes are '$(text_at "$REPEAT_AT")', not 4 from the file"
snooze_hwnd=$(field "$(control_at "$SNOOZE_AT")" hwnd)

click_at "$SWITCH_OFF_AT"
# The click is handled when the focus has moved to the button.
wait_focus = "$(field "$(control_at "$SWITCH_OFF_AT")" hwnd)" || fail "the switch-off button did not take the click"
if wait_popup 1; then fail "a box opened on switching off: $popups"; fi
minimise_window
note "switched off and minimised: state $(window_state) (zoomed iconic visible), $((alarm_at - $(date +%s))) s before the alarm"
[ "$(date +%s)" -lt "$alarm_at" ] || fail "starting took too long: the alarm minute had begun"
start_recording "$artefacts/alarm.wav"

wait_ring
[ "$(focus_now)" = "$snooze_hwnd" ] || fail "the Snooze button does not have the focus after the alarm"
wait_flashing 10 || fail "the background does not flash (see flash-*.png)"
expect_song_heard
[ "$(text_at "$SNOOZE_MINUTES_AT")" = 7 ] || fail "the snooze minutes are '$(text_at "$SNOOZE_MINUTES_AT")', not 7"
close_app
expect_settings "$run_dir" "$song" "$alarm_h" "$alarm_m" 4 7
no_leftovers "$run_dir"
echo "PASS: an alarm given through the settings file"
