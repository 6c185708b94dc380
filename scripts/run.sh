#!/usr/bin/env bash
# Builds dozewell.exe and runs it under Wine with a private prefix. With a
# display, the program opens on it and plays through the desktop's sound
# server; without one, it runs in a virtual display, a screenshot is saved
# and the program is closed again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/bootstrap.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j2 --target dozewell
exe=build/mingw/app/dozewell.exe

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec scripts/wine-env exec build/mingw/wine --host-display -- wine "$exe"
fi

shot=build/artifacts/run.png
mkdir -p build/artifacts
echo "No display: running in a virtual display; the screenshot goes to $shot"
scripts/wine-env exec build/mingw/wine -- scripts/run-headless.sh "$exe" "$shot"
echo "Screenshot: $root/$shot"
