# Shared steps of the alarm scripts, on top of app.bash: songs of a known
# tone, recordings of the null sink measured by the sound tests' probe, the
# minute the alarm can be set to, the alarm seen firing (the window back and
# maximised, the background flashing) and the settings file beside the
# program. Needs the private Wine environment of scripts/wine-env.

: "${DZ_SINK_MONITOR:?run inside scripts/wine-env}"

# The sound tests' probe measures tones in recordings; it is built beside
# the tests like dzprobe.exe.
find_sound_probe() { # exe
  SOUND_PROBE=${DZ_SOUND_PROBE:-$(cd "$(dirname "$1")/.." && pwd)/tests/sound/dz_sound_probe.exe}
  [ -f "$SOUND_PROBE" ] || fail "no sound probe at $SOUND_PROBE (build the dz_sound_probe target)"
}

winpath() { echo "Z:$(realpath "$1" | tr / '\\')"; }

make_song() { # file hz seconds
  sox -n -r 22050 -c 1 -b 16 "$1" synth "$3" sine "$2" vol 0.5 2>/dev/null || fail "sox could not make $1"
}

# One recording of the null sink at a time, stopped by stop_recording and
# by the exit trap.
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

alarm_cleanup() {
  stop_recording
  cleanup
}

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

main_wid() {
  timeout 10 xdotool search --sync --onlyvisible --name "$TITLE_RE" </dev/null | head -n 1
}

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

# Replaces the text of an edit or combo box by typing over all of it, and
# waits until the program has handled every key. The box is never empty on
# the way: an empty alarm or repeat text is an error the clock or the repeat
# reports at once.
type_into() { # place text
  local found
  found=$(control_at "$1") || fail "nothing at $1"
  click_into "$found" || fail "clicking the control at $1 did not give it the focus"
  xdotool key --window "$wid" End shift+Home </dev/null
  xdotool type --window "$wid" --delay 50 "$2" </dev/null
  typed || fail "Tab did not move the focus on from the control at $1"
  [ "$(text_at "$1")" = "$2" ] || fail "the control at $1 holds '$(text_at "$1")' after typing $2"
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
