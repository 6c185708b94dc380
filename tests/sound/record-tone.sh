#!/usr/bin/env bash
# Records the null sink while the probe plays a 4 s tone of 1 kHz through the
# media player control, then checks that the recording holds that tone for
# at least a second (the first part of a sound can be lost on the way).
set -euo pipefail
probe=$1 dir=$2
# shellcheck source=record.bash
. "$(dirname "$0")/record.bash"
rec="$dir/recorded.wav"
record_while "$rec" timeout 30 wine "$probe" play "$(winpath "$dir/tone4s.wav")"
timeout 30 wine "$probe" tone "$(winpath "$rec")" 1000 1000 </dev/null
