# Shared steps of the end-to-end scripts: start dozewell.exe from a copy in a
# fresh folder, as it is shipped (the host script beside it), find its
# window, read it through dzprobe.exe, look at it in screenshots, drive it
# with xdotool, and end it. Every wait has a deadline; the program is never
# left running. Needs the private Wine environment of scripts/wine-env
# (DISPLAY, WINEPREFIX ...).

# The caption names the project's version (project() in the top CMakeLists.txt).
DZ_VERSION=$(sed -nE 's/^project\(Dozewell VERSION ([0-9.]+).*/\1/p' \
  "$(dirname "${BASH_SOURCE[0]}")/../../../CMakeLists.txt")
TITLE="Dozewell  Version $DZ_VERSION"
TITLE_RE="^Dozewell  Version ${DZ_VERSION//./\\.}\$"

app_pid=""
app_rc=""
wid=""

fail() {
  echo "FAIL: $*" >&2
  [ -n "${artefacts:-}" ] && shot "$artefacts/failure-$(date +%s).png" 2>/dev/null
  exit 1
}
note() { echo "-- $*"; }

# Every script is run as SCRIPT EXE ARTEFACT_FOLDER: sets exe and artefacts
# (absolute) and finds the probe.
take_arguments() { # "$@" of the script
  [ $# -ge 2 ] || { echo "usage: $(basename "$0") EXE ARTEFACTS" >&2; exit 2; }
  exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
  mkdir -p "$2"
  artefacts=$(cd "$2" && pwd)
  find_probe "$exe"
}

# A script that keeps many files keeps them in a folder of its own, emptied
# at each run.
own_artefacts() { # name
  artefacts=$artefacts/$1
  rm -rf "$artefacts"
  mkdir -p "$artefacts"
}

# dzprobe.exe is built beside the tests; DZ_PROBE overrides where it is.
find_probe() { # exe
  local exe=$1
  PROBE=${DZ_PROBE:-$(cd "$(dirname "$exe")/.." && pwd)/tests/e2e/dzprobe.exe}
  [ -f "$PROBE" ] || fail "no probe at $PROBE (build the dzprobe target)"
}

probe() { # command args...: the probe's output, CR LF made plain
  timeout 30 wine "$PROBE" "$@" </dev/null 2>/dev/null | tr -d '\r'
  return "${PIPESTATUS[0]}"
}

# "key v1 v2 ..." line of probe output -> the values.
field() { # output key
  awk -v k="$2" '$1 == k { $1 = ""; sub(/^ /, ""); print; exit }' <<<"$1"
}

# Copies the program as it is shipped, with the host script the build puts
# beside it, into a fresh folder with a short wake-up sound, so that each
# run starts without settings and writes its own.
prepare_folder() { # exe folder
  local exe=$1 dir=$2
  rm -rf "$dir"
  mkdir -p "$dir"
  cp "$exe" "$dir/dozewell.exe"
  cp "$(dirname "$exe")/dozewell-host.sh" "$dir/" || fail "the build put no dozewell-host.sh beside the program"
  sox -n -r 22050 -c 1 -b 16 "$dir/wakeup.wav" synth 1 sine 880 2>/dev/null ||
    fail "sox could not make wakeup.wav"
}

main_wid() {
  timeout 10 xdotool search --sync --onlyvisible --name "$TITLE_RE" </dev/null | head -n 1
}

# Starts the program and waits for its window; its X window in wid.
start_app() { # folder
  local dir=$1
  (cd "$dir" && exec wine dozewell.exe </dev/null >"$dir/wine.log" 2>&1) &
  app_pid=$!
  probe wait "$TITLE" 20000 >/dev/null || fail "no window titled '$TITLE' within 20 s"
  wid=$(main_wid) || fail "xdotool does not see the window"
}

# Waits up to $1 seconds for the program to end; its exit code in app_rc.
wait_exit() { # seconds
  local i
  for ((i = 0; i < $1 * 10; i++)); do
    if ! kill -0 "$app_pid" 2>/dev/null; then
      set +e
      wait "$app_pid"
      app_rc=$?
      set -e
      app_pid=""
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# Waits up to 15 s for the program to end, and checks that it ended with
# exit code 0.
ended_well() { # after what
  wait_exit 15 || fail "the program is still running 15 s $1"
  [ "$app_rc" = 0 ] || fail "the program ended with exit code $app_rc $1"
}

# Closes the window as the system's close command does; the program ends
# with exit code 0.
close_app() {
  probe close "$TITLE" >/dev/null
  ended_well "after its window was closed"
}

# However a script ends, the program is ended, then each step a script
# added with at_exit runs (stopping a recording, putting a setting back).
exit_steps=()
at_exit() { exit_steps+=("$1"); }
cleanup() {
  if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then
    probe close "$TITLE" >/dev/null 2>&1 || true
    wait_exit 5 || { kill "$app_pid" 2>/dev/null; wait "$app_pid" 2>/dev/null; }
  fi
  local step
  for step in "${exit_steps[@]}"; do "$step"; done
}
trap cleanup EXIT

shot() { # file
  import -window root "$1"
}

# The colour of one pixel of a picture as RRGGBB.
pixel() { # file x y
  convert "$1" -format "%[hex:u.p{$2,$3}]" info: | cut -c1-6
}

# The share (0..1) of the pixels of a region within 8 % of a colour.
share_of() { # file x y w h colour
  convert "$1" -crop "$4x$5+$2+$3" +repage -fuzz 8% -fill '#000000' +opaque "$6" \
    -fill '#FFFFFF' -opaque "$6" -format '%[fx:mean]' info:
}

# Client point -> screen point of the main window.
client_origin() {
  local info
  info=$(probe info "$TITLE") || fail "the window went away"
  read -r cx cy _ _ <<<"$(field "$info" client)"
}

click_screen() { # x y
  xdotool mousemove --sync "$1" "$2" click 1
}

# Keys and clicks reach the program late on a loaded machine, and nothing
# tells when one has been handled; a move of the keyboard focus does, and
# input is handled in order. $focus holds the control that should have it.
focus_now() { field "$(probe info "$TITLE")" focus; }

wait_focus() { # = or !=, handle: 0 once the focus is (not) there, 1 after 20 s
  local end=$((SECONDS + 20))
  while [ $SECONDS -lt $end ]; do
    [ "$(focus_now)" "$1" "$2" ] && return 0
    sleep 0.2
  done
  return 1
}

# Clicks the middle of a control (a "probe child" output) and waits until
# it has the focus.
click_into() { # child
  local x y
  read -r x y <<<"$(rect_centre "$1")"
  click_screen "$x" "$y"
  focus=$(field "$1" hwnd)
  wait_focus = "$focus"
}

# Presses Tab after typing and waits until it has moved the focus on: every
# key typed before it has been handled then.
typed() {
  xdotool key --window "$wid" Tab </dev/null
  wait_focus != "$focus"
}

# Types over all the text of the control at a place (client coordinates)
# and waits until the program has handled every key. The box is never empty
# on the way: an empty alarm or repeat text is an error the clock or the
# repeat reports at once.
type_over() { # place text
  local found
  # shellcheck disable=SC2086
  found=$(probe child "$TITLE" $1) || fail "nothing at $1"
  click_into "$found" || fail "clicking the control at $1 did not give it the focus"
  xdotool key --window "$wid" End shift+Home </dev/null
  xdotool type --window "$wid" --delay 50 "$2" </dev/null
  typed || fail "Tab did not move the focus on from the control at $1"
}

# Centre of a probe "rect x y w h" line.
rect_centre() { # output
  local r
  r=$(field "$1" rect)
  read -r rx ry rw rh <<<"$r"
  echo "$((rx + rw / 2)) $((ry + rh / 2))"
}

# Polls `probe popups` until a visible popup window appears (0) or the
# deadline passes (1); the listing is left in $popups.
wait_popup() { # seconds
  local end=$((SECONDS + $1))
  while [ $SECONDS -lt $end ]; do
    popups=$(probe popups "$TITLE")
    grep -q '^popup ' <<<"$popups" && return 0
    sleep 0.2
  done
  return 1
}

wait_no_popup() { # seconds
  local end=$((SECONDS + $1))
  while [ $SECONDS -lt $end ]; do
    popups=$(probe popups "$TITLE")
    grep -q '^popup ' <<<"$popups" || return 0
    sleep 0.2
  done
  return 1
}

# Closes the program's message box (captioned "Dozewell") with Return.
close_box() {
  local box
  box=$(timeout 10 xdotool search --sync --onlyvisible --name '^Dozewell$' </dev/null | head -n 1) ||
    fail "xdotool does not see the box"
  xdotool key --window "$box" Return </dev/null
  wait_no_popup 15 || fail "the box did not close"
}
