# The main window on the current screen, end to end: it opens maximised with
# no scroll bars, its controls are where the layout puts them, hints show
# over EditSnooze only, ComboBoxH takes at most two typed characters, and
# Exit ends the program with exit code 0.
#
#   bash window-checks.bash EXE ARTEFACT_FOLDER
#
# Keeps main-window-WxH.png (and the other screenshots, named after the
# screen size too) in the artefact folder.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=app.bash
. "$here/app.bash"

take_arguments "$@"

read -r screen_w screen_h <<<"$(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2]; exit }')"
name=${screen_w}x${screen_h}
note "screen $name"

run_dir="$artefacts/run-$name"
prepare_folder "$exe" "$run_dir"
start_app "$run_dir"
sleep 1  # the first activation reads the settings and opens the sound

popups=$(probe popups "$TITLE")
if grep -q '^popup ' <<<"$popups"; then fail "a box is open after start: $popups"; fi

# --- maximised, no scroll bars ------------------------------------------
info=$(probe info "$TITLE")
echo "$info" | sed 's/^/   /'
[ "$(field "$info" zoomed)" = 1 ] || fail "the window is not maximised"
[ "$(field "$info" hscroll)" = 0 ] || fail "the window has a horizontal scroll bar"
[ "$(field "$info" vscroll)" = 0 ] || fail "the window has a vertical scroll bar"
[ "$(field "$info" screen)" = "$screen_w $screen_h" ] || fail "Windows sees another screen: $(field "$info" screen)"
eval "$(xdotool getwindowgeometry --shell "$wid" </dev/null)"
note "X window ${WIDTH}x${HEIGHT} at $X,$Y"
# Maximised: the frame hangs just over the screen's edges.
[ "$X" -le 0 ] && [ "$Y" -le 0 ] || fail "window origin $X,$Y is inside the screen"
[ "$WIDTH" -ge "$screen_w" ] && [ "$WIDTH" -le $((screen_w + 16)) ] || fail "window width $WIDTH on a $screen_w screen"
[ "$HEIGHT" -ge "$screen_h" ] && [ "$HEIGHT" -le $((screen_h + 16)) ] || fail "window height $HEIGHT on a $screen_h screen"

# --- the layout in a screenshot -----------------------------------------
main_shot="$artefacts/main-window-$name.png"
shot "$main_shot"
client_origin
note "client origin $cx,$cy"
expect_pixel() { # what x y colour... (client coordinates)
  local what=$1 x=$(($2 + cx)) y=$(($3 + cy)) got
  shift 3
  got=$(pixel "$main_shot" "$x" "$y")
  for want in "$@"; do [ "$got" = "$want" ] && return 0; done
  fail "$what at client $(($x - cx)),$(($y - cy)) is #$got, not #$*"
}
expect_pixel "the aqua panel" 623 258 00FFFF
expect_pixel "the aqua panel" 28 288 00FFFF
expect_pixel "the grey window" 664 400 808080
expect_pixel "the grey window" 664 100 808080
maroon=$(share_of "$main_shot" $((cx + 40)) $((cy + 72)) 561 251 '#800000')
note "maroon share of the clock: $maroon"
awk -v s="$maroon" 'BEGIN { exit !(s > 0.03) }' || fail "no maroon clock digits ($maroon)"

exit_button=$(probe child "$TITLE" 600 516) || fail "nothing at the Exit button's place"
echo "$exit_button" | sed 's/^/   /'
[ "$(field "$exit_button" text)" = Exit ] || fail "the control at the Exit button's place is not Exit"
read -r ex ey ew eh <<<"$(field "$exit_button" rect)"
green=$(share_of "$main_shot" "$ex" "$ey" "$ew" "$eh" '#00A000')
green_pixels=$(awk -v s="$green" -v n=$((ew * eh)) 'BEGIN { printf "%d", s * n + 0.5 }')
note "green exit-sign pixels on the Exit button: $green_pixels"
[ "$green_pixels" -ge 30 ] || fail "the Exit button shows no green exit sign"

# --- hints ----------------------------------------------------------------
xdotool mousemove --sync $((cx + 623)) $((cy + 258)) </dev/null
sleep 1.5
popups=$(probe popups "$TITLE")
if grep -q '^popup ' <<<"$popups"; then fail "a hint over the bare panel: $popups"; fi

snooze_edit=$(probe child "$TITLE" 624 320) || fail "nothing at EditSnooze's place"
[ "$(field "$snooze_edit" text)" = 5 ] || fail "EditSnooze does not hold 5: $snooze_edit"
read -r sx sy <<<"$(rect_centre "$snooze_edit")"
start_ms=$(date +%s%3N)
xdotool mousemove --sync "$sx" "$sy" </dev/null
wait_popup 20 || fail "no hint appeared over EditSnooze within 20 s"
note "hint after $(($(date +%s%3N) - start_ms)) ms: $(grep '^popup ' <<<"$popups")"
shot "$artefacts/hint-$name.png"
grep -q 'Set Snooze minutes the evening before' <<<"$popups" || fail "the hint has another text: $popups"
wait_no_popup 20 || fail "the hint stays open: $popups"

# --- typing into ComboBoxH ----------------------------------------------
hour=$(probe child "$TITLE" 60 316) || fail "nothing at ComboBoxH's place"
echo "$hour" | sed 's/^/   /'
[ "$(field "$hour" text)" = 06 ] || fail "ComboBoxH does not show 06"
type_over "60 316" 123
hour=$(probe child "$TITLE" 60 316)
note "ComboBoxH after typing 123: '$(field "$hour" text)'"
[ "$(field "$hour" text)" = 12 ] || fail "ComboBoxH holds '$(field "$hour" text)', not 12"
shot "$artefacts/typed-$name.png"

# --- Exit ---------------------------------------------------------------
read -r bx by <<<"$(rect_centre "$exit_button")"
click_screen "$bx" "$by"
ended_well "after Exit"
note "Exit: exit code 0"
echo "PASS: main window on a ${screen_w}x${screen_h} screen"
