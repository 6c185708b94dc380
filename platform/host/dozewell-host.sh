#!/bin/sh
# Carries Dozewell's display power, keep-awake, unmute and volume-control
# requests to the desktop it runs on, when it runs under Wine on Linux (on
# Windows nothing starts this script). Dozewell starts it and never waits
# for it, so it must end soon, and it reports nothing back: what it cannot
# do it says once in the log, and Dozewell carries on without it.
#
#   dozewell-host.sh LOG display-off | display-on | display-reassert
#   dozewell-host.sh LOG awake-hold BEAT    hold off idle sleep while BEAT is fresh
#   dozewell-host.sh LOG unmute             unmute the default sound output
#   dozewell-host.sh LOG volume             open the desktop's volume control
#
# Your own display commands come first when set: DOZEWELL_DISPLAY_OFF and
# DOZEWELL_DISPLAY_ON (run with sh -c); DOZEWELL_DISPLAY_IS_ON, a command
# that succeeds while the display is on, lets a dark screen that came back
# on by itself be switched off again.

log=$1
action=$2
# An inhibitor whose heartbeat file is older than this many minutes lets go:
# Dozewell renews it every minute, so only a program that has gone stops.
stale_minutes=5

have() { command -v "$1" >/dev/null 2>&1; }

# Each line once: the log says what failed, not how often.
say() {
  grep -qxF -- "$1" "$log" 2>/dev/null || printf '%s\n' "$1" >> "$log" 2>/dev/null
}

# Requests come in order but run side by side; one at a time keeps a late
# "off" from overtaking the "on" after it.
serialise() {
  lock=${XDG_RUNTIME_DIR:-/tmp}/dozewell-host.lock
  have flock && (: >>"$lock") 2>/dev/null || return 0
  exec 9>>"$lock"
  flock -w 20 9
}

wayland() { [ -n "${WAYLAND_DISPLAY:-}" ] || [ "${XDG_SESSION_TYPE:-}" = wayland ]; }

# Each way of switching the display: 0 done, 1 not here, 2 failed (said).
user_display() { # off|on
  if [ "$1" = off ]; then command=${DOZEWELL_DISPLAY_OFF:-}; name=DOZEWELL_DISPLAY_OFF
  else command=${DOZEWELL_DISPLAY_ON:-}; name=DOZEWELL_DISPLAY_ON; fi
  [ -n "$command" ] || return 1
  sh -c "$command" >/dev/null 2>&1 && return 0
  say "display $1: your command $name failed"
  return 2
}

x11_dpms_here() {
  [ -n "${DISPLAY:-}" ] && ! wayland && have xset && xset q 2>/dev/null | grep -q 'DPMS is'
}
x11_display() { # off|on
  x11_dpms_here || return 1
  xset dpms force "$1" >/dev/null 2>&1 && return 0
  say "display $1: xset dpms force $1 failed"
  return 2
}

gnome_property() { # get|set [VALUE]
  busctl --user "$1-property" org.gnome.Mutter.DisplayConfig /org/gnome/Mutter/DisplayConfig \
    org.gnome.Mutter.DisplayConfig PowerSaveMode ${2:+i $2}
}
gnome_display() { # off|on
  wayland && have busctl || return 1
  gnome_property get >/dev/null 2>&1 || return 1
  if [ "$1" = off ]; then mode=3; else mode=0; fi
  gnome_property set "$mode" >/dev/null 2>&1 && return 0
  say "display $1: GNOME's display configuration refused power-save mode $mode"
  return 2
}

kde_display() { # off|on
  wayland && have kscreen-doctor || return 1
  kscreen-doctor --dpms "$1" >/dev/null 2>&1 && return 0
  say "display $1: kscreen-doctor --dpms $1 failed"
  return 2
}

display() { # off|on
  serialise
  for way in user_display x11_display gnome_display kde_display; do
    "$way" "$1" && return 0
  done
  say "display $1: no way to switch the screen $1 here (set DOZEWELL_DISPLAY_OFF and DOZEWELL_DISPLAY_ON)"
}

# While dark: switch off again a display that came back on by itself, where
# the display can be asked; elsewhere leave it.
display_reassert() {
  serialise
  if [ -n "${DOZEWELL_DISPLAY_OFF:-}" ]; then
    [ -n "${DOZEWELL_DISPLAY_IS_ON:-}" ] && sh -c "$DOZEWELL_DISPLAY_IS_ON" >/dev/null 2>&1 &&
      user_display off
  elif x11_dpms_here; then
    xset q 2>/dev/null | grep -q 'Monitor is On' && x11_display off
  elif wayland && have busctl && [ "$(gnome_property get 2>/dev/null)" = "i 0" ]; then
    gnome_display off
  fi
  return 0
}

awake_hold() { # beat
  if ! have systemd-inhibit; then
    say "keep awake: systemd-inhibit not found; the machine may go to sleep before the alarm"
    return 0
  fi
  errors=$(mktemp 2>/dev/null) || errors=/dev/null
  nohup systemd-inhibit --what=idle:sleep --who=Dozewell --why="An alarm is set" --mode=block \
    sh "$0" "$log" awake-wait "$1" </dev/null >/dev/null 2>"$errors" &
  # It fails at once when there is no login manager to ask, and says why.
  sleep 2
  if [ -s "$errors" ]; then
    say "keep awake: systemd-inhibit failed: $(head -n 1 "$errors")"
  fi
  [ "$errors" = /dev/null ] || rm -f "$errors"
}

# Runs under the inhibitor: holds while the heartbeat file is there and
# fresh. Dozewell removes it to let go.
awake_wait() { # beat
  while [ -n "$(find "$1" -mmin "-$stale_minutes" 2>/dev/null)" ]; do
    sleep 30
  done
}

unmute() {
  if ! have pactl; then
    say "unmute: pactl not found; a muted output stays muted"
  elif ! pactl set-sink-mute @DEFAULT_SINK@ 0 >/dev/null 2>&1; then
    say "unmute: pactl could not unmute the default output"
  fi
}

volume() {
  if have pavucontrol; then set -- pavucontrol
  elif have gnome-control-center; then set -- gnome-control-center sound
  elif have systemsettings; then set -- systemsettings kcm_pulseaudio
  else
    say "set volume: no volume control found (pavucontrol, gnome-control-center, systemsettings)"
    return 0
  fi
  nohup "$@" </dev/null >/dev/null 2>&1 &
}

case $action in
  display-off) display off ;;
  display-on) display on ;;
  display-reassert) display_reassert ;;
  awake-hold) awake_hold "$3" ;;
  awake-wait) awake_wait "$3" ;;
  unmute) unmute ;;
  volume) volume ;;
  *) say "unknown request: $action" ;;
esac
exit 0
