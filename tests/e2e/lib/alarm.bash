# Shared steps of the alarm scripts, on top of app.bash: songs of a known
# tone, recordings of the null sink measured by the sound tests' probe, the
# minute the alarm can be set to, the alarm seen firing (the window back and
# maximised, the background flashing) and the settings file beside the
# program. Needs the private Wine environment of scripts/wine-env.

: "${DZ_SINK_MONITOR:?run inside scripts/wine-env}"
# shellcheck source=app.bash
. "$(dirname "${BASH_SOURCE[0]}")/app.bash"

# The sound tests' probe measures tones in recordings; it is built beside
# the tests like dzprobe.exe.
find_sound_probe() { # exe
  SOUND_PROBE=${DZ_SOUND_PROBE:-$(cd "$(dirname "$1")/.." && pwd)/tests/sound/dz_sound_probe.exe}
  [ -f "$SOUND_PROBE" ] || fail "no sound probe at $SOUND_PROBE (build the dz_sound_probe target)"
}

# An alarm script keeps its files in a folder of its own, emptied at each
# run, and runs the program in run_dir inside it.
prepare_alarm_run() { # artefact-folder [run-folder]
  own_artefacts "$1"
  find_sound_probe "$exe"
  run_dir="$artefacts/${2:-run}"
  prepare_folder "$exe" "$run_dir"
}

winpath() { echo "Z:$(realpath "$1" | tr / '\\')"; }

make_song() { # file hz seconds
  sox -n -r 22050 -c 1 -b 16 "$1" synth "$3" sine "$2" vol 0.5 2>/dev/null || fail "sox could not make $1"
}

# One recording of the null sink at a time, stopped by stop_recording and
# at exit.
rec_pid=""
start_recording() { # file
  rm -f "$1"
  parec --latency-msec=50 --process-time-msec=20 -d "$DZ_SINK_MONITOR" --file-format=wav "$1" \
    </dev/null >/dev/null 2>&1 &
  rec_pid=$!
}

stop_recording() {
  [ -n "$rec_pid" ] || return 0
  kill -INT "$rec_pid" 2>/dev/null || true
  wait "$rec_pid" 2>/dev/null || true
  rec_pid=""
}

at_exit stop_recording

# The longest run of a tone in a recording, in ms (0 when there is none).
tone_ms() { # file hz
  local out
  out=$(timeout 30 wine "$SOUND_PROBE" tone "$(winpath "$1")" "$2" 0 </dev/null 2>/dev/null | tr -d '\r') || true
  sed -nE 's/^longest .* tone: ([0-9]+) ms.*/\1/p' <<<"$out" | grep . || echo 0
}

# Waits until the recording so far holds the tone for at least MS, or the
# deadline passes (1).
wait_tone() { # file hz ms seconds
  local end=$((SECONDS + $4)) got
  while [ $SECONDS -lt $end ]; do
    sleep 1
    got=$(tone_ms "$1" "$2")
    [ "$got" -ge "$3" ] && return 0
  done
  return 1
}

# A song of the settings file's own, songs/morning.wav (in song, as the
# program names it), and beside the program a default sound of another tone,
# both long enough to tell apart in a recording.
make_songs() { # folder
  default_hz=880
  make_song "$1/wakeup.wav" $default_hz 20
  song_hz=523
  mkdir -p "$1/songs"
  make_song "$1/songs/morning.wav" $song_hz 20
  song=$(winpath "$1/songs/morning.wav")
}

# The recording alarm.wav holds the song, not the default sound; ends the
# recording.
expect_song_heard() {
  local default_heard
  wait_tone "$artefacts/alarm.wav" "$song_hz" 1500 15 || fail "the song of the settings file was not heard (alarm.wav)"
  stop_recording
  default_heard=$(tone_ms "$artefacts/alarm.wav" "$default_hz")
  note "heard the song of the settings file for $(tone_ms "$artefacts/alarm.wav" "$song_hz") ms, the default sound for $default_heard ms"
  [ "$default_heard" -le 300 ] || fail "the default sound played instead of the settings file's song"
}

# --- time ------------------------------------------------------------------

# Seconds left in the current minute of the host's clock, which is the one
# the program reads through Wine.
seconds_left() { echo $((60 - 10#$(date +%S))); }

# The minute to set the alarm to. "this": the current minute when at least
# SECONDS of it are left (an alarm that may fire at the next check), else the
# next. "later": a minute that has not begun yet and begins at least SECONDS
# from now (an alarm that cannot fire before the steps that take SECONDS are
# done). Sets alarm_h, alarm_m (two digits) and alarm_at (epoch seconds of
# the minute's start).
pick_alarm_minute() { # this|later seconds
  local now start
  now=$(date +%s)
  start=$((now - now % 60))
  case $1 in
    this) [ $((start + 60 - now)) -ge "$2" ] || start=$((start + 60)) ;;
    later)
      start=$((start + 60))
      [ $((start - now)) -ge "$2" ] || start=$((start + 60)) ;;
  esac
  alarm_h=$(date -d "@$start" +%H)
  alarm_m=$(date -d "@$start" +%M)
  alarm_at=$start
}

# --- the window --------------------------------------------------------------

# A minimised main window hides (the taskbar button minimises), so it is
# maximised on the screen when it is zoomed, not iconic and visible.
window_state() { # -> "zoomed iconic visible"
  local info
  info=$(probe info "$TITLE") || { echo "gone"; return; }
  echo "$(field "$info" zoomed) $(field "$info" iconic) $(field "$info" visible)"
}

# Waits until the window is maximised and not minimised (0), or the deadline
# passes (1).
wait_maximised() { # seconds
  local end=$((SECONDS + $1))
  while [ $SECONDS -lt $end ]; do
    [ "$(window_state)" = "1 0 1" ] && return 0
    sleep 0.2
  done
  return 1
}

# Minimises the window, so that an alarm shows by maximising it.
minimise_window() {
  probe minimize "$TITLE" >/dev/null
  for _ in $(seq 50); do [ "$(window_state)" != "1 0 1" ] && break; sleep 0.1; done
  [ "$(window_state)" != "1 0 1" ] || fail "the window did not minimise"
}

# Waits until the alarm has brought the window back maximised, 20 s into
# the alarm minute at the latest.
wait_ring() {
  local left=$((alarm_at - $(date +%s)))
  [ "$left" -gt 0 ] || left=0
  wait_maximised $((left + 20)) ||
    fail "the window did not come back maximised within 20 s of $alarm_h:$alarm_m (state $(window_state))"
  note "the alarm fired $(($(date +%s) - alarm_at)) s into $alarm_h:$alarm_m"
}

# The colour of the window's bare background (client 664,400) on the screen
# now, as RRGGBB; the screenshot is kept in $1.
background_now() { # shot-file
  client_origin
  shot "$1"
  pixel "$1" $((cx + 664)) $((cy + 400))
}

# Takes screenshots until both flash colours have shown, white and grey
# (0), or the deadline passes (1). Keeps the two as flash-white.png and
# flash-grey.png in the artefact folder.
wait_flashing() { # seconds
  local end=$((SECONDS + $1)) white="" grey="" tmp=$artefacts/flash-now.png colour
  while [ $SECONDS -lt $end ]; do
    colour=$(background_now "$tmp")
    case $colour in
      FFFFFF) [ -n "$white" ] || { white=1; cp "$tmp" "$artefacts/flash-white.png"; } ;;
      808080) [ -n "$grey" ] || { grey=1; cp "$tmp" "$artefacts/flash-grey.png"; } ;;
    esac
    rm -f "$tmp"
    [ -n "$white" ] && [ -n "$grey" ] && return 0
  done
  return 1
}

# Waits until the background keeps one colour in screenshots over about a
# second, several flash periods (0), or the deadline passes (1); the colour
# in $steady.
wait_steady() { # seconds
  local end=$((SECONDS + $1)) tmp=$artefacts/steady-now.png colour same=0 last="" since
  since=$(date +%s%N)
  while [ $SECONDS -lt $end ]; do
    colour=$(background_now "$tmp")
    if [ "$colour" = "$last" ]; then
      same=$((same + 1))
    else
      same=0 last=$colour since=$(date +%s%N)
    fi
    if [ "$same" -ge 4 ] && [ $(($(date +%s%N) - since)) -ge 1000000000 ]; then
      steady=$colour
      rm -f "$tmp"
      return 0
    fi
  done
  rm -f "$tmp"
  return 1
}

# --- controls ----------------------------------------------------------------

# Places of the controls, in client coordinates of the main window.
HOUR_AT="60 316"
MINUTE_AT="148 316"
REPEAT_AT="172 364"
SNOOZE_MINUTES_AT="624 320"
SNOOZE_AT="500 400"
SWITCH_OFF_AT="292 520"
EXIT_AT="600 516"

# shellcheck disable=SC2086
control_at() { probe child "$TITLE" $1; }
text_at() { field "$(control_at "$1")" text; }

# Replaces the text of an edit or combo box (see type_over), and checks
# that it holds the text typed.
type_into() { # place text
  type_over "$1" "$2"
  [ "$(text_at "$1")" = "$2" ] || fail "the control at $1 holds '$(text_at "$1")' after typing $2"
}

# Asks up to TRIES times, 0.1 s apart, whether the control at a place shows
# a text: 0 once it does, else 1.
wait_text() { # place text tries
  for _ in $(seq "$3"); do
    [ "$(text_at "$1")" = "$2" ] && return 0
    sleep 0.1
  done
  return 1
}

click_at() { # place (client)
  local found x y
  found=$(control_at "$1") || fail "nothing at $1"
  read -r x y <<<"$(rect_centre "$found")"
  click_screen "$x" "$y"
}

# --- the settings file -------------------------------------------------------

# The five lines as the program writes them, each ended by CR LF.
settings_bytes() { # sound hour minute repeat snooze
  printf '%s\r\n' "$@"
}

expect_settings() { # folder sound hour minute repeat snooze
  local file=$1/folderS.txt
  shift
  [ -f "$file" ] || fail "no folderS.txt was written"
  if ! cmp -s "$file" <(settings_bytes "$@"); then
    echo "folderS.txt holds:" >&2
    od -c "$file" | head -20 >&2
    fail "folderS.txt does not hold the five lines $*"
  fi
}

no_leftovers() { # folder
  local left
  left=$(find "$1" -maxdepth 1 -name 'folderS.txt?*' | head -5)
  [ -z "$left" ] || fail "files left beside the settings: $left"
}
