#!/usr/bin/env bash
# A song that cannot be played does not leave the alarm silent: with the
# settings naming a file of random bytes, the alarm minute brings the error
# box and, beside it, the program's own wake-up sound, recorded from the null
# sink for longer than one pass of it (so it loops); Snooze ends it.
#
#   bash broken_song.sh EXE ARTEFACT_FOLDER
#
# Keeps broken-song-ringing.wav and broken-song-snoozed.wav in the artefact
# folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=lib/app.bash
. "$here/lib/app.bash"
: "${DZ_SINK_MONITOR:?run inside scripts/wine-env}"

[ $# -ge 2 ] || { echo "usage: broken_song.sh EXE ARTEFACTS" >&2; exit 2; }
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
mkdir -p "$2"
artefacts=$(cd "$2" && pwd)
find_probe "$exe"
run_dir="$artefacts/run-broken-song"
prepare_folder "$exe" "$run_dir"

HOUR_AT="60 316"
MINUTE_AT="148 316"
PASS_MS=4800  # one pass of the wake-up sound

# --- recordings of the null sink ------------------------------------------
rec_pid=""
start_recording() { # file
  rm -f "$1"
  parec --latency-msec=50 --process-time-msec=20 -d "$DZ_SINK_MONITOR" --file-format=wav "$1" \
    </dev/null >/dev/null 2>&1 &
  rec_pid=$!
}
stop_recording() {
  [ -n "$rec_pid" ] || return 0
  sleep 2  # parec delivers the end late
  kill -INT "$rec_pid" 2>/dev/null || true
  wait "$rec_pid" 2>/dev/null || true
  rec_pid=""
}
finish() {
  [ -n "$rec_pid" ] && kill "$rec_pid" 2>/dev/null
  cleanup
}
# Milliseconds of a recording, in 100 ms windows, that carry sound.
sounding_ms() { # file
  sox "$1" -t dat -c 1 - 2>/dev/null | awk '
    /^;/ { if ($0 ~ /Sample Rate/) rate = $4; next }
    { sum += $2 * $2; if (++n == int(rate / 10)) { if (sqrt(sum / n) > 0.01) ms += 100; sum = 0; n = 0 } }
    END { print ms + 0 }'
}

# --- boxes ------------------------------------------------------------------
box_text() { sed -n 's/^label //p' <<<"$popups" | tr '\n' ' '; }
close_box() {
  local box
  box=$(timeout 10 xdotool search --sync --onlyvisible --name '^Dozewell$' </dev/null | head -n 1) ||
    fail "xdotool does not see the box"
  xdotool key --window "$box" Return </dev/null
  wait_no_popup 15 || fail "the box did not close"
}

# --- typing the alarm time -----------------------------------------------------
text_at() { # "x y" (client)
  # shellcheck disable=SC2086
  field "$(probe child "$TITLE" $1)" text
}
type_into() { # "x y" text
  local found
  # shellcheck disable=SC2086
  found=$(probe child "$TITLE" $1) || fail "nothing at $1"
  click_into "$found" || fail "clicking the control at $1 did not give it the focus"
  xdotool key --window "$wid" End shift+Home </dev/null
  xdotool type --window "$wid" --delay 50 "$2" </dev/null
  typed || fail "Tab did not move the focus on from the control at $1"
  [ "$(text_at "$1")" = "$2" ] || fail "the control at $1 holds '$(text_at "$1")' after typing $2"
}

# The alarm minute: this one when enough of it is left for the alarm check,
# which runs every 10 s, to come round once the time is in place; else the
# next.
pick_minute() { # seconds needed
  local now start
  now=$(date +%s)
  start=$((now - now % 60))
  [ $((start + 60 - now)) -ge "$1" ] || start=$((start + 60))
  alarm_h=$(date -d "@$start" +%H)
  alarm_m=$(date -d "@$start" +%M)
}

# --- the run ---------------------------------------------------------------------
head -c 44100 /dev/urandom >"$run_dir/song.wav"
song="Z:$(realpath "$run_dir/song.wav" | tr / '\\')"
pick_minute 40
printf '%s\r\n' "$song" "$alarm_h" "$alarm_m" 2 5 >"$run_dir/folderS.txt"

start_app "$run_dir"
trap finish EXIT
wid=$(timeout 10 xdotool search --sync --onlyvisible --name "$TITLE_RE" </dev/null | head -n 1)
# The song does not open when the settings are read: its box comes first.
wait_popup 20 || fail "no box about the song that does not open"
note "at start: $(box_text)"
close_box

# The settings' alarm time stands unless the failed song kept it from the
# boxes; then it is typed, for a minute that still leaves time for a check.
if [ "$(text_at "$HOUR_AT")" != "$alarm_h" ] || [ "$(text_at "$MINUTE_AT")" != "$alarm_m" ]; then
  pick_minute 20
  note "the settings' time was not applied; typing $alarm_h:$alarm_m"
  type_into "$HOUR_AT" "$alarm_h"
  type_into "$MINUTE_AT" "$alarm_m"
fi

ringing=$artefacts/broken-song-ringing.wav
start_recording "$ringing"
wait_popup 80 || fail "the alarm did not ring at $alarm_h:$alarm_m"
note "at the alarm: $(box_text)"
grep -qx 'label No MCI device open\.' <<<"$popups" || fail "the alarm's box does not say 'No MCI device open.'"
# Longer than one pass of the sound, the box still open.
sleep $(((PASS_MS + 4000) / 1000))
stop_recording
heard=$(sounding_ms "$ringing")
note "wake-up sound heard for $heard ms with the box open"
[ "$heard" -ge $((PASS_MS + 1000)) ] || fail "the wake-up sound did not loop on beside the box ($heard ms)"

# Snooze: the box goes, a key snoozes. With no song open the snooze reports
# that too, and the wake-up sound stops.
close_box
xdotool key --window "$wid" a </dev/null
wait_popup 15 || fail "no box after Snooze"
snoozed=$artefacts/broken-song-snoozed.wav
sleep 1
start_recording "$snoozed"
sleep 3
stop_recording
heard=$(sounding_ms "$snoozed")
note "after Snooze: sound for $heard ms"
[ "$heard" -le 200 ] || fail "the wake-up sound goes on after Snooze ($heard ms)"
close_box
probe close "$TITLE" >/dev/null
wait_exit 15 || fail "the program did not end"
echo "PASS: a broken song rings with the wake-up sound until Snooze"
