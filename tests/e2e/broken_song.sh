#!/usr/bin/env bash
# A song that cannot be played does not leave the alarm silent: with the
# settings naming a file of random bytes, the alarm minute brings the error
# box and, beside it, the program's own wake-up sound, recorded from the null
# sink for longer than one pass of it (so it loops); a key snoozes it into
# silence, and the end of the one snooze minute brings the sound back.
#   bash broken_song.sh EXE ARTEFACT_FOLDER
# Keeps broken-song-{ringing,snoozed,snooze-end}.wav in the artefact folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=lib/alarm.bash
. "$here/lib/alarm.bash"

take_arguments "$@"
run_dir="$artefacts/run-broken-song"
prepare_folder "$exe" "$run_dir"
PASS_MS=4800  # one pass of the wake-up sound

# Milliseconds of a recording, in 100 ms windows, that carry sound.
sounding_ms() { # file
  sox "$1" -t dat -c 1 - 2>/dev/null | awk '
    /^;/ { if ($0 ~ /Sample Rate/) rate = $4; next }
    { sum += $2 * $2; if (++n == int(rate / 10)) { if (sqrt(sum / n) > 0.01) ms += 100; sum = 0; n = 0 } }
    END { print ms + 0 }'
}
# Records the given seconds into a file; prints the milliseconds of sound.
heard_in() { # file seconds
  start_recording "$1"
  sleep "$2"
  sleep 2  # parec delivers the end late
  stop_recording
  sounding_ms "$1"
}
box_text() { sed -n 's/^label //p' <<<"$popups" | tr '\n' ' '; }
# A box that may come with a step is noted and closed.
close_any_box() { # when
  if wait_popup 2; then
    note "$1: $(box_text)"
    close_box
  fi
}

head -c 44100 /dev/urandom >"$run_dir/song.wav"
pick_alarm_minute this 40
settings_bytes "$(winpath "$run_dir/song.wav")" "$alarm_h" "$alarm_m" 2 1 >"$run_dir/folderS.txt"
start_app "$run_dir"
wait_popup 20 || fail "no box about the song that does not open"
note "at start: $(box_text)"
close_box
# A song that fails to open keeps the rest of the settings from the boxes;
# then the time is typed, for a minute that still leaves time for a check.
if [ "$(text_at "$HOUR_AT")" != "$alarm_h" ] || [ "$(text_at "$MINUTE_AT")" != "$alarm_m" ]; then
  pick_alarm_minute this 20
  note "typing the alarm time $alarm_h:$alarm_m"
  type_over "$HOUR_AT" "$alarm_h"
  type_over "$MINUTE_AT" "$alarm_m"
fi

wait_popup 80 || fail "the alarm did not ring at $alarm_h:$alarm_m"
note "at the alarm: $(box_text)"
grep -qx 'label No MCI device open\.' <<<"$popups" || fail "the alarm's box does not say 'No MCI device open.'"
heard=$(heard_in "$artefacts/broken-song-ringing.wav" $(((PASS_MS + 3000) / 1000)))
note "wake-up sound heard for $heard ms with the box open"
[ "$heard" -ge $((PASS_MS + 1000)) ] || fail "the wake-up sound did not loop on beside the box ($heard ms)"

# Snooze by a key once the box is gone: the wake-up sound stops (a box
# telling that no song is open may come with it).
close_box
xdotool key --window "$wid" a </dev/null
snoozed_at=$SECONDS
heard=$(heard_in "$artefacts/broken-song-snoozed.wav" 3)
note "after Snooze: sound for $heard ms"
[ "$heard" -le 200 ] || fail "the wake-up sound goes on after Snooze ($heard ms)"
close_any_box "after Snooze"

# The snooze minute ends with the song, which still cannot play: the
# wake-up sound again, with or without a box.
sleep $((55 - (SECONDS - snoozed_at)))
heard=$(heard_in "$artefacts/broken-song-snooze-end.wav" 15)
note "55 to 70 s after Snooze: sound for $heard ms"
[ "$heard" -ge 3000 ] || fail "no wake-up sound at the end of the snooze minute ($heard ms)"
close_any_box "at the end of the snooze"
probe close "$TITLE" >/dev/null
wait_exit 15 || fail "the program did not end"
echo "PASS: a broken song rings with the wake-up sound until Snooze, and again when the snooze ends"
