#!/usr/bin/env bash
# Cases for platform/host/dozewell-host.sh against stand-ins for the
# desktop's commands. PATH holds the stand-ins and the few plain tools the
# script needs, so a desktop tool that is not stood in for is not there.
#
#   bash host-script-test.sh CASE SCRIPT
set -uo pipefail
case_name=$1
script=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/tools" "$work/run"
for tool in sh grep find printf head tail mktemp rm cat chmod flock nohup touch sleep; do
  ln -s "$(command -v "$tool")" "$work/tools/$tool"
done
export PATH=$work/bin:$work/tools XDG_RUNTIME_DIR=$work/run CALLS=$work/calls LOG=$work/host.log
: > "$CALLS"
unset DISPLAY WAYLAND_DISPLAY XDG_SESSION_TYPE DOZEWELL_DISPLAY_OFF DOZEWELL_DISPLAY_ON DOZEWELL_DISPLAY_IS_ON

fail() { echo "FAIL: $*" >&2; exit 1; }
stub() { # name body: a stand-in that records its call, then runs body
  printf '#!/bin/sh\necho "%s $*" >> "$CALLS"\n%s\n' "$1" "${2:-}" > "$work/bin/$1"
  chmod +x "$work/bin/$1"
}
host() { "$script" "$LOG" "$@"; }
calls() { cat "$CALLS"; }
expect_calls() { # expected lines
  [ "$(calls)" = "$1" ] || fail "calls were:"$'\n'"$(calls)"$'\n'"expected:"$'\n'"$1"
  : > "$CALLS"
}
xset_with() { # what "xset q" says about the display
  stub xset "if [ \"\$1\" = q ]; then printf '%s\n' '$1'; fi"
}

test_display_tries_each_way_in_order() {
  xset_with $'DPMS (Energy Star):\n  DPMS is Enabled\n  Monitor is On'
  stub busctl 'case "$2" in get-property) echo "i 0";; esac'
  stub kscreen-doctor
  DISPLAY=:5 host display-off
  expect_calls $'xset q\nxset dpms force off'
  # Wine on a Wayland desktop also has an X display, which cannot switch it.
  DISPLAY=:5 WAYLAND_DISPLAY=wayland-0 host display-off
  expect_calls "busctl --user get-property org.gnome.Mutter.DisplayConfig /org/gnome/Mutter/DisplayConfig org.gnome.Mutter.DisplayConfig PowerSaveMode
busctl --user set-property org.gnome.Mutter.DisplayConfig /org/gnome/Mutter/DisplayConfig org.gnome.Mutter.DisplayConfig PowerSaveMode i 3"
  stub busctl 'exit 1'  # no GNOME display configuration on the bus
  XDG_SESSION_TYPE=wayland host display-on
  expect_calls $'busctl --user get-property org.gnome.Mutter.DisplayConfig /org/gnome/Mutter/DisplayConfig org.gnome.Mutter.DisplayConfig PowerSaveMode\nkscreen-doctor --dpms on'
  [ ! -s "$LOG" ] || fail "a way that worked was logged: $(cat "$LOG")"
}

test_your_own_display_commands_come_first() {
  xset_with 'DPMS is Enabled'
  DISPLAY=:5 DOZEWELL_DISPLAY_OFF='echo "mine off" >> "$CALLS"' host display-off
  expect_calls "mine off"
  # A command of one's own that fails is said, and the next way is tried.
  DISPLAY=:5 DOZEWELL_DISPLAY_ON='exit 3' host display-on
  DISPLAY=:5 DOZEWELL_DISPLAY_ON='exit 3' host display-on
  expect_calls $'xset q\nxset dpms force on\nxset q\nxset dpms force on'
  [ "$(cat "$LOG")" = "display on: your command DOZEWELL_DISPLAY_ON failed" ] ||
    fail "log: $(cat "$LOG")"
}

test_a_screen_that_came_back_on_is_switched_off_again() {
  xset_with $'  DPMS is Enabled\n  Monitor is Off'
  DISPLAY=:5 host display-reassert
  expect_calls $'xset q\nxset q'
  xset_with $'  DPMS is Enabled\n  Monitor is On'
  DISPLAY=:5 host display-reassert
  expect_calls $'xset q\nxset q\nxset q\nxset dpms force off'
  # One's own commands: only where one can tell whether the display is on.
  DISPLAY=:5 DOZEWELL_DISPLAY_OFF='echo "mine off" >> "$CALLS"' host display-reassert
  expect_calls ""
  DISPLAY=:5 DOZEWELL_DISPLAY_OFF='echo "mine off" >> "$CALLS"' DOZEWELL_DISPLAY_IS_ON='true' \
    host display-reassert
  expect_calls "mine off"
}

test_nothing_that_works_is_said_once() {
  host display-off
  host display-off
  host display-on
  [ "$(cat "$LOG")" = "display off: no way to switch the screen off here (set DOZEWELL_DISPLAY_OFF and DOZEWELL_DISPLAY_ON)
display on: no way to switch the screen on here (set DOZEWELL_DISPLAY_OFF and DOZEWELL_DISPLAY_ON)" ] ||
    fail "log: $(cat "$LOG")"
  host awake-hold "$work/beat"
  host unmute
  host volume
  host volume
  [ "$(tail -n 3 "$LOG")" = "keep awake: systemd-inhibit not found; the machine may go to sleep before the alarm
unmute: pactl not found; a muted output stays muted
set volume: no volume control found (pavucontrol, gnome-control-center, systemsettings)" ] ||
    fail "log: $(cat "$LOG")"
}

wait_a_second() { "$work/tools/sleep" 1; }
# Neither ended nor a zombie (an orphan's new parent may be slow to reap it).
holder_running() {
  local pid
  pid=$(cat "$work/holder") && [ -e "/proc/$pid" ] && ! grep -q '^[0-9]* ([^)]*) Z' "/proc/$pid/stat"
}

test_the_inhibitor_lets_go_when_the_heartbeat_stops() {
  # The inhibitor holds while its command runs; waits are short here.
  stub systemd-inhibit 'echo $$ > "$WORK/holder"; while [ "${1#--}" != "$1" ]; do shift; done; exec "$@"'
  printf '#!/bin/sh\nexec %s 0.05\n' "$work/tools/sleep" > "$work/bin/sleep"
  chmod +x "$work/bin/sleep"
  export WORK=$work
  touch "$work/beat"
  host awake-hold "$work/beat"
  grep -q -- "--what=idle:sleep" "$CALLS" || fail "no idle and sleep inhibitor: $(calls)"
  holder_running || fail "the inhibitor let go of a fresh heartbeat"
  touch -d '-4 minutes' "$work/beat"
  wait_a_second
  holder_running || fail "the inhibitor let go of a heartbeat four minutes old"
  touch -d '-6 minutes' "$work/beat"  # the program has gone
  wait_a_second
  holder_running && fail "the inhibitor holds on to a heartbeat six minutes old"
  touch "$work/beat"
  host awake-hold "$work/beat"
  rm "$work/beat"  # released
  wait_a_second
  holder_running && fail "the inhibitor holds after its heartbeat was removed"
  [ ! -s "$LOG" ] || fail "log: $(cat "$LOG")"
  stub systemd-inhibit 'echo "Failed to connect to bus: No such file or directory" >&2; exit 1'
  host awake-hold "$work/beat"
  [ "$(cat "$LOG")" = "keep awake: systemd-inhibit failed: Failed to connect to bus: No such file or directory" ] ||
    fail "log: $(cat "$LOG")"
}

test_unmute_and_volume_control() {
  stub pactl
  host unmute
  expect_calls "pactl set-sink-mute @DEFAULT_SINK@ 0"
  stub gnome-control-center
  host volume
  stub pavucontrol
  host volume
  sleep 0.5  # they start in the background
  expect_calls $'gnome-control-center sound\npavucontrol '
  stub pactl 'exit 1'  # no sound server
  host unmute
  [ "$(cat "$LOG")" = "unmute: pactl could not unmute the default output" ] || fail "log: $(cat "$LOG")"
}

"test_$case_name"
echo "ok: $case_name"
