#!/usr/bin/env bash
# The main window on the environment's screen (1280x1024): see
# lib/window-checks.bash.  Arguments: EXE ARTEFACT_FOLDER.
set -euo pipefail
exec bash "$(dirname "$0")/lib/window-checks.bash" "$1" "$2"
