#!/usr/bin/env bash
# Closing the program, end to end: the system close command (Alt+F4) closes
# the window through its close handler and ends with exit code 0.
#
# Runs after the other window scripts (they sort before it): under Xvfb the
# next program started after xdotool's Alt+F4 can still receive that F4 with
# Alt held on its new window and close at once.
# Arguments: EXE ARTEFACT_FOLDER.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=lib/app.bash
. "$here/lib/app.bash"

take_arguments "$@"
run_dir="$artefacts/run-close"
prepare_folder "$exe" "$run_dir"

hour_text() { field "$(probe child "$TITLE" 60 316)" text; }

# --- Alt+F4 after typing into the hour box ------------------------------
start_app "$run_dir"
sleep 1
type_over "60 316" 07
[ "$(hour_text)" = 07 ] || fail "ComboBoxH holds '$(hour_text)' after typing 07"
# The window may be gone before xdotool sends the key releases, which it
# then reports as BadWindow: whether the program ended is checked below.
xdotool key --window "$wid" alt+F4 </dev/null 2>/dev/null || true
ended_well "after Alt+F4"
note "Alt+F4: exit code 0"
echo "PASS: close commands"
