#!/usr/bin/env bash
# The main window at 120 dots per inch on a 1280x1024 screen: the program
# scales its controls itself (its manifest tells the system not to stretch
# it), so the Exit button is a quarter larger and a quarter further out than
# at 96; no control overlaps another or reaches outside its parent, and Exit
# ends the program with exit code 0. Runs in a second private environment
# (its own prefix, made once beside the first, set to 120 dots per inch).
# Keeps main-window-120dpi.png.
# Arguments: EXE ARTEFACT_FOLDER.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
if [ "${1:-}" != --inside ]; then
  state=${DZ_WINE_STATE:?run inside scripts/wine-env}-120dpi
  exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
  mkdir -p "$2"
  exec "$root/scripts/wine-env" exec "$state" -- bash "$0" --inside "$exe" "$(cd "$2" && pwd)"
fi
exe=$2 artefacts=$3
# shellcheck source=lib/app.bash
. "$here/lib/app.bash"
# Read by every program Wine starts from now on.
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 120 /f </dev/null >/dev/null 2>&1 ||
  fail "cannot set 120 dots per inch"
find_probe "$exe"
run_dir="$artefacts/run-120dpi"
prepare_folder "$exe" "$run_dir"
start_app "$run_dir"
sleep 1  # the first activation reads the settings and opens the sound

info=$(probe info "$TITLE")
[ "$(field "$info" zoomed)" = 1 ] || fail "the window is not maximised"
[ "$(field "$info" hscroll)$(field "$info" vscroll)" = 00 ] || fail "the window has a scroll bar"
layout=$(probe layout "$TITLE")
shot "$artefacts/main-window-120dpi.png"
grep -Ev '^control ' <<<"$layout" | sed 's/^/   /'
[ "$(field "$layout" faults)" = 0 ] || fail "the layout at 120 dots per inch has faults (above)"

# Exit sits at 552+8, 488+8 (81 x 41) at 96 dots per inch.
exit_button=$(probe child "$TITLE" 750 645) || fail "nothing at the scaled Exit button's place"
[ "$(field "$exit_button" text)" = Exit ] || fail "the control at the scaled Exit button's place is not Exit"
read -r _ _ ew eh <<<"$(field "$exit_button" rect)"
note "Exit button ${ew}x${eh}"
[ "$ew" -ge 99 ] && [ "$ew" -le 103 ] && [ "$eh" -ge 49 ] && [ "$eh" -le 53 ] ||
  fail "the Exit button is ${ew}x${eh}, not 101x51: the window is not scaled to 120 dots per inch"
read -r bx by <<<"$(rect_centre "$exit_button")"
click_screen "$bx" "$by"
ended_well "after Exit"
echo "PASS: main window at 120 dots per inch"
