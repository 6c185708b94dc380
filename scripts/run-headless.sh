#!/usr/bin/env bash
# Runs dozewell.exe in the current (virtual) display, saves a screenshot of
# the screen once the window has painted, then closes the window the way a
# user would (the system close command, which saves the settings) and waits
# for the program to end. Run inside scripts/wine-env.
#
#   run-headless.sh EXE SCREENSHOT.png
#
# Exit code: the program's, or 1 when the window never showed or it did not
# end within 20 s after the close (it is then killed).
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: run-headless.sh EXE SCREENSHOT.png" >&2; exit 2; }
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
shot=$2
mkdir -p "$(dirname "$shot")"
title_re='^Dozewell  Version 3\.0$'

(cd "$(dirname "$exe")" && exec wine "$exe" </dev/null >/dev/null 2>&1) &
pid=$!
stop() {
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
}
trap stop EXIT

wid=$(timeout 30 xdotool search --sync --onlyvisible --name "$title_re" </dev/null | head -n 1 || true)
if [ -z "$wid" ]; then
  echo "run-headless: the window did not appear within 30 s" >&2
  exit 1
fi
sleep 2  # the first paint, the settings read and the clock's first tick
import -window root "$shot"
echo "run-headless: screenshot saved to $shot"

# The window may be gone before xdotool sends the key releases, which it
# then reports as BadWindow: whether the program ended is checked below.
xdotool key --window "$wid" alt+F4 </dev/null 2>/dev/null || true
for _ in $(seq 200); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  echo "run-headless: the program did not end within 20 s of the close; killing it" >&2
  exit 1
fi
trap - EXIT
set +e
wait "$pid"
rc=$?
echo "run-headless: the program ended with exit code $rc"
exit "$rc"
