#!/usr/bin/env bash
# Records the null sink while the probe plays a 4 s tone of 1 kHz through the
# media player control, then checks that the recording holds that tone for
# at least a second (the first part of a sound can be lost on the way).
set -euo pipefail
probe=$1 dir=$2
: "${DZ_SINK_MONITOR:?run inside scripts/wine-env}"
winpath() { echo "Z:$(realpath "$1" | tr / '\\')"; }
rec="$dir/recorded.wav"
rm -f "$rec"
parec --latency-msec=50 --process-time-msec=20 -d "$DZ_SINK_MONITOR" --file-format=wav "$rec" \
  </dev/null >/dev/null 2>&1 &
parec_pid=$!
trap 'kill $parec_pid 2>/dev/null || true' EXIT
sleep 0.5
timeout 30 wine "$probe" play "$(winpath "$dir/tone4s.wav")" </dev/null
sleep 2  # parec delivers the end late
kill -INT $parec_pid
wait $parec_pid || true
trap - EXIT
timeout 30 wine "$probe" tone "$(winpath "$rec")" 1000 1000 </dev/null
