#!/usr/bin/env bash
# Under Wine the program carries its requests to the desktop beneath it,
# through the script beside it. Here the display commands are one's own
# (DOZEWELL_DISPLAY_OFF / _ON, which log their calls), and the null sink is
# muted on the host: "Switch off screen - Go to sleep" switches the host
# display off once, however long it stays dark, a mouse move over the window
# switches it on once, and the alarm at its minute unmutes the sink, leaves
# its volume alone and is heard. "Set volume" opens the desktop's volume
# control (a stand-in here). What the desktop here cannot do (there is
# no login manager to hold off sleep) is said in the log beside the
# settings, and no box opens.
#
#   bash host_bridge.sh EXE ARTEFACT_FOLDER
#
# It waits for the next minute or the one after:
# Time limit: 240 s
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=lib/alarm.bash
. "$here/lib/alarm.bash"

take_arguments "$@"
# A folder with a blank in its name, as the program and its log may have.
prepare_alarm_run host-bridge "run folder"
song_hz=523
make_song "$run_dir/song.wav" $song_hz 20
calls=$artefacts/display-calls
: > "$calls"
export DOZEWELL_DISPLAY_OFF="echo off >> '$calls'" DOZEWELL_DISPLAY_ON="echo on >> '$calls'"
unset DOZEWELL_DISPLAY_IS_ON

# The desktop's volume control, first on the PATH that Wine passes on.
mkdir -p "$artefacts/bin"
printf '#!/bin/sh\necho "volume control $*" >> "%s"\n' "$artefacts/volume-calls" > "$artefacts/bin/pavucontrol"
chmod +x "$artefacts/bin/pavucontrol"
export PATH="$artefacts/bin:$PATH"

sink=${DZ_SINK_MONITOR%.monitor}
sink_state() { echo "$(pactl get-sink-mute "$sink") $(pactl get-sink-volume "$sink" | grep -o '[0-9]*%' | head -n 1)"; }
# The sink as the later sound tests expect it, however this one ends.
read -r _ muted_before volume_before <<< "$(sink_state)"
restore_sink() {
  pactl set-sink-volume "$sink" "$volume_before"
  pactl set-sink-mute "$sink" "$([ "$muted_before" = yes ] && echo 1 || echo 0)"
}
at_exit restore_sink
pactl set-sink-volume "$sink" 40% && pactl set-sink-mute "$sink" 1 || fail "pactl cannot set up the null sink"
[ "$(sink_state)" = "Mute: yes 40%" ] || fail "the null sink is not muted at 40 %: $(sink_state)"

wait_calls() { # lines seconds: the display calls so far, once they are that many
  local end=$((SECONDS + $2))
  while [ $SECONDS -lt $end ]; do
    [ "$(wc -l < "$calls")" -ge "$1" ] && return 0
    sleep 0.2
  done
  return 1
}

pick_alarm_minute later 40
settings_bytes "$(winpath "$run_dir/song.wav")" "$alarm_h" "$alarm_m" 4 7 > "$run_dir/folderS.txt"
note "the alarm at $alarm_h:$alarm_m, in $((alarm_at - $(date +%s))) s"

start_app "$run_dir"
# The first activation has applied the settings once the repeat minutes show.
wait_text "$REPEAT_AT" 4 100 || true

VOLUME_AT="300 390"
[ "$(text_at "$VOLUME_AT")" = "Set volume" ] || fail "no Set volume button at $VOLUME_AT: $(control_at "$VOLUME_AT")"
click_at "$VOLUME_AT"
for _ in $(seq 50); do [ -s "$artefacts/volume-calls" ] && break; sleep 0.2; done
[ "$(cat "$artefacts/volume-calls" 2>/dev/null)" = "volume control " ] ||
  fail "Set volume did not open the desktop's volume control once"
if wait_popup 1; then fail "a box opened on Set volume: $popups"; fi

click_at "$SWITCH_OFF_AT"
wait_calls 1 10 || fail "the host display was not switched off within 10 s of the button"
shot "$artefacts/after-switch-off.png"
# Dark for longer than the host is checked again.
sleep 15
[ "$(cat "$calls")" = off ] || fail "the host display calls while dark: $(tr '\n' ' ' < "$calls")"
client_origin
xdotool mousemove --sync $((cx + 664)) $((cy + 400)) </dev/null
wait_calls 2 10 || fail "the host display was not switched on within 10 s of the mouse move"
[ "$(cat "$calls")" = $'off\non' ] || fail "the host display calls: $(tr '\n' ' ' < "$calls")"
xdotool mousemove --sync 5 5 </dev/null
# Minimised, so that the alarm shows by maximising it.
minimise_window
[ "$(sink_state)" = "Mute: yes 40%" ] || fail "the sink changed before the alarm: $(sink_state)"

[ "$(date +%s)" -lt "$alarm_at" ] || fail "too slow: the alarm minute had begun"
start_recording "$artefacts/alarm.wav"
wait_ring
for _ in $(seq 50); do [ "$(sink_state)" = "Mute: no 40%" ] && break; sleep 0.2; done
[ "$(sink_state)" = "Mute: no 40%" ] || fail "the alarm did not unmute the sink, or changed its volume: $(sink_state)"
wait_tone "$artefacts/alarm.wav" $song_hz 1500 15 || fail "the song was not heard after the unmute (alarm.wav)"
stop_recording
if wait_popup 1; then fail "a box opened: $popups"; fi
[ "$(cat "$calls")" = $'off\non' ] || fail "the host display calls: $(tr '\n' ' ' < "$calls")"

probe close "$TITLE" >/dev/null
wait_exit 15 || fail "the program is still running 15 s after its window was closed"
log=$run_dir/dozewell-host.log
note "dozewell-host.log: $(tr '\n' '|' < "$log" 2>/dev/null)"
grep -qx "keep awake: systemd-inhibit failed: .*" "$log" || fail "the failed sleep inhibitor is not in the log"
[ "$(sort "$log" | uniq -d)" = "" ] || fail "a line is logged more than once"
echo "PASS: the display, the keep-awake request and the unmute reach the host"
