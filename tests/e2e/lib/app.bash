# Shared steps of the end-to-end scripts: start dozewell.exe from a copy in a
# fresh folder, find its window, read it through dzprobe.exe, look at it in
# screenshots, drive it with xdotool, and end it. Every wait has a deadline;
# the program is never left running. Needs the private Wine environment of
# scripts/wine-env (DISPLAY, WINEPREFIX ...).

# The caption names the project's version (project() in the top CMakeLists.txt).
DZ_VERSION=$(sed -nE 's/^project\(Dozewell VERSION ([0-9.]+).*/\1/p' \
  "$(dirname "${BASH_SOURCE[0]}")/../../../CMakeLists.txt")
TITLE="Dozewell  Version $DZ_VERSION"
TITLE_RE="^Dozewell  Version ${DZ_VERSION//./\\.}\$"

app_pid=""
app_rc=""

fail() {
  echo "FAIL: $*" >&2
  [ -n "${artefacts:-}" ] && shot "$artefacts/failure-$(date +%s).png" 2>/dev/null
  exit 1
}
note() { echo "-- $*"; }

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

# Copies the program into a fresh folder with a short wake-up sound, so
# that each run starts without settings and writes its own.
prepare_folder() { # exe folder
  local exe=$1 dir=$2
  rm -rf "$dir"
  mkdir -p "$dir"
  cp "$exe" "$dir/dozewell.exe"
  sox -n -r 22050 -c 1 -b 16 "$dir/wakeup.wav" synth 1 sine 880 2>/dev/null ||
    fail "sox could not make wakeup.wav"
}

start_app() { # folder
  local dir=$1
  (cd "$dir" && exec wine dozewell.exe </dev/null >"$dir/wine.log" 2>&1) &
  app_pid=$!
  trap cleanup EXIT
  probe wait "$TITLE" 20000 >/dev/null || fail "no window titled '$TITLE' within 20 s"
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

cleanup() {
  if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then
    probe close "$TITLE" >/dev/null 2>&1 || true
    wait_exit 5 || { kill "$app_pid" 2>/dev/null; wait "$app_pid" 2>/dev/null; }
  fi
}

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
