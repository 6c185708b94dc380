#!/usr/bin/env bash
# The main window on an 800x600 screen, smaller than its layout: the same
# checks as main_window.sh. Wine takes the screen size from the display its
# wineserver started with, so a second display alone is not enough: the
# checks run in a second private environment (its own prefix, made once
# beside the first, its own Xvfb at 800x600). Arguments: EXE ARTEFACT_FOLDER.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
state=${DZ_WINE_STATE:?run inside scripts/wine-env}-800x600
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
mkdir -p "$2"
artefacts=$(cd "$2" && pwd)
exec "$root/scripts/wine-env" exec "$state" --screen 800x600 -- \
  bash "$here/lib/window-checks.bash" "$exe" "$artefacts"
