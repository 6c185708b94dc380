#!/usr/bin/env bash
# The Snooze button in the real window, in the desktop's visual style and,
# in a second run, with visual styles switched off (the classic face): its
# glyph stands above "Snooze" on a transparent ground, and its face shows
# the pointer over it, the focus and the press.
#
#   bash snooze_button.sh EXE ARTEFACT_FOLDER
#
# Keeps snooze-{themed,classic}-{normal,hot,focused,pressed}.png (the button
# cut out of the screen) in the artefact folder.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=lib/app.bash
. "$here/lib/app.bash"

take_arguments "$@"

theme_key='HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager'
set_theme() { # 0 or 1; takes effect for the next process
  wine reg add "$theme_key" /v ThemeActive /t REG_SZ /d "$1" /f >/dev/null 2>&1 </dev/null
}
restore_theme() { set_theme 1; }

# Pixels of one colour (within 2 %) in a picture, marked first in a colour
# the button never shows.
count_of() { # file colour
  convert "$1" -fuzz 2% -fill '#FF00FF' -opaque "$2" -fuzz 0 -fill '#000000' +opaque '#FF00FF' \
    -fill '#FFFFFF' -opaque '#FF00FF' -format '%[fx:round(mean*w*h)]' info:
}
# Pixels that differ between two pictures of one size.
differing() { # a b
  compare -metric AE "$1" "$2" null: 2>&1 || true
}

# The button's screen rectangle: bx by bw bh.
find_button() {
  local found
  found=$(probe child "$TITLE" 500 400) || fail "nothing at the Snooze button's place"
  [ "$(field "$found" text)" = Snooze ] || fail "the control at the Snooze button's place is not Snooze: $found"
  read -r bx by bw bh <<<"$(field "$found" rect)"
  [ "$bw" = 253 ] && [ "$bh" = 153 ] || fail "the Snooze button is ${bw}x$bh, not 253x153"
}

# Cuts the button out of a screenshot.
button_shot() { # file
  local whole=$artefacts/screen.png
  shot "$whole"
  convert "$whole" -crop "${bw}x${bh}+$bx+$by" +repage "$1"
  rm -f "$whole"
}

# Takes button shots until the face differs from each reference picture in
# at least the given number of pixels, 20 s at most (the checks that follow
# then say what is wrong): the face changes when the program has handled the
# pointer, which on a loaded machine can take a while.
shot_until_changed() { # file reference pixels [reference pixels]
  local file=$1 end=$((SECONDS + 20))
  shift
  until button_shot "$file" && changed "$file" "$@"; do
    [ $SECONDS -lt $end ] || return 0
    sleep 0.2
  done
}

# Takes button shots until two in a row are the same, 5 s at most: a face
# can reach the screen in more than one flush, and a shot between them
# holds half of the old face.
shot_settled() { # file
  local file=$1 next=$artefacts/settling.png end=$((SECONDS + 5))
  while [ $SECONDS -lt $end ]; do
    sleep 0.2
    button_shot "$next"
    if [ "$(differing "$file" "$next")" = 0 ]; then break; fi
    mv "$next" "$file"
  done
  rm -f "$next"
}

changed() { # file reference pixels [reference pixels]
  local file=$1
  shift
  while [ $# -ge 2 ]; do
    [ "$(differing "$1" "$file")" -ge "$2" ] || return 1
    shift 2
  done
}

# Where the glyph lies in a button picture: its golden head is 19 x 24,
# 7 right and 8 below the glyph's corner. Sets gx gy.
find_glyph() { # file what
  local box
  box=$(convert "$1" -fill '#000000' +opaque '#D9B548' -fill '#FFFFFF' -opaque '#D9B548' \
    -format '%@' info:)
  [[ "$box" =~ ^19x24\+([0-9]+)\+([0-9]+)$ ]] || fail "$2: no whole golden head ($box)"
  gx=$((BASH_REMATCH[1] - 7))
  gy=$((BASH_REMATCH[2] - 8))
}

# The glyph whole, on a transparent ground, centred above the caption.
check_content() { # file what
  local file=$1 what=$2 square=$artefacts/square.png
  find_glyph "$file" "$what"
  convert "$file" -crop "32x32+$gx+$gy" +repage "$square"
  local gold red black ground text
  gold=$(count_of "$square" '#D9B548')
  red=$(count_of "$square" '#FF0000')
  black=$(count_of "$square" '#000000')
  ground=$(count_of "$square" '#808080')
  text=$(convert "$file" -crop "70x20+$((gx - 19))+$((gy + 33))" +repage -threshold 30% -negate \
    -format '%[fx:round(mean*w*h)]' info:)
  rm -f "$square"
  note "$what: glyph at $gx,$gy: $gold golden, $red red, $black black, $ground grey; $text dark caption pixels"
  [ "$gold" = 302 ] && [ "$red" = 38 ] && [ "$black" = 42 ] || fail "$what: the glyph is not whole"
  [ "$ground" = 0 ] || fail "$what: the glyph's grey ground shows ($ground pixels)"
  # Centred in the content: 110 or 111 by how the caption's width halves.
  [ "$gx" -ge 110 ] && [ "$gx" -le 111 ] || fail "$what: the glyph is not centred ($gx)"
  [ "$text" -ge 60 ] || fail "$what: no caption below the glyph ($text dark pixels)"
}

# Normal, hot, focused and pressed, compared with each other.
run_states() { # style: themed or classic
  local style=$1 run_dir=$artefacts/run-snooze-$1
  prepare_folder "$exe" "$run_dir"
  start_app "$run_dir"
  sleep 1
  find_button
  local p=$artefacts/snooze-$style
  local cx_=$((bx + bw / 2)) cy_=$((by + bh / 2))
  # Normal: the pointer away, the focus elsewhere (the first control).
  xdotool mousemove --sync 20 20 </dev/null
  sleep 0.4
  button_shot "$p-normal.png"
  # Hot: the pointer at the button's bottom edge, so that its hint opens
  # below the button, out of the pictures.
  xdotool mousemove --sync "$cx_" $((by + bh - 4)) </dev/null
  if [ "$style" = themed ]; then
    shot_until_changed "$p-hot.png" "$p-normal.png" 4
  else
    sleep 0.4  # the classic face does not change
    button_shot "$p-hot.png"
  fi
  # Pressed: held down over it (the release happens outside: no click).
  xdotool mousedown 1 </dev/null
  shot_until_changed "$p-pressed.png" "$p-normal.png" 500
  shot_settled "$p-pressed.png"
  xdotool mousemove --sync 20 20 </dev/null
  xdotool mouseup 1 </dev/null
  shot_until_changed "$p-focused.png" "$p-normal.png" 200 "$p-pressed.png" 1
  shot_settled "$p-focused.png"

  # The glyph stays in place but for the press of the classic face, which
  # moves it 1 right and down.
  local nx ny shift=0
  check_content "$p-normal.png" "$style normal"
  nx=$gx ny=$gy
  for state in hot focused; do
    check_content "$p-$state.png" "$style $state"
    [ "$gx,$gy" = "$nx,$ny" ] || fail "$style $state: the glyph moved to $gx,$gy from $nx,$ny"
  done
  [ "$style" = classic ] && shift=1
  check_content "$p-pressed.png" "$style pressed"
  [ "$gx,$gy" = "$((nx + shift)),$((ny + shift))" ] || fail "$style pressed: the glyph is at $gx,$gy"

  local hot pressed focused
  hot=$(differing "$p-normal.png" "$p-hot.png")
  pressed=$(differing "$p-normal.png" "$p-pressed.png")
  focused=$(differing "$p-normal.png" "$p-focused.png")
  note "$style: pixels changed from normal: hot $hot, pressed $pressed, focused $focused"
  if [ "$style" = themed ]; then
    # Wine's own style marks the hot face on its border only, which lies
    # just outside the button but for the rounded corners.
    [ "$hot" -ge 4 ] || fail "themed: the hot face looks like the normal one ($hot pixels differ)"
  else
    [ "$hot" = 0 ] || fail "classic: the pointer changed the face ($hot pixels differ)"
  fi
  [ "$pressed" -ge 500 ] || fail "$style: the pressed face looks like the normal one"
  [ "$focused" -ge 200 ] || fail "$style: the focus does not show ($focused pixels differ)"
  probe close "$TITLE" >/dev/null
  wait_exit 15 || fail "$style: the program did not end"
}

at_exit restore_theme
set_theme 1
run_states themed
set_theme 0
run_states classic
echo "PASS: the Snooze button, themed and classic"
