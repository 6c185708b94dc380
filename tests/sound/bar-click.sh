#!/usr/bin/env bash
# Records the null sink while the bar probe clicks Play on a 10 s tone of
# 1 kHz and, 4 s later, Stop. The recording must hold the tone for at least
# a second (the first part of a sound can be lost on the way) and end it
# long before its 10 s. The probe checks the faces on the screen itself and
# leaves its pictures in the artefact folder.
set -euo pipefail
probe=$1 dir=$2 shots=$3
: "${DZ_SINK_MONITOR:?run inside scripts/wine-env}"
winpath() { echo "Z:$(realpath "$1" | tr / '\\')"; }
mkdir -p "$shots"
rec="$dir/bar-recorded.wav"
rm -f "$rec" "$shots"/bar-*.bmp
parec --latency-msec=50 --process-time-msec=20 -d "$DZ_SINK_MONITOR" --file-format=wav "$rec" \
  </dev/null >/dev/null 2>&1 &
parec_pid=$!
trap 'kill $parec_pid 2>/dev/null || true' EXIT
sleep 0.5
status=0
timeout 60 wine "$probe" bar "$(winpath "$dir/tone10s.wav")" "$(winpath "$shots")" </dev/null || status=1
sleep 2  # parec delivers the end late
kill -INT $parec_pid
wait $parec_pid || true
trap - EXIT
for bmp in "$shots"/bar-*.bmp; do [ -f "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png"; done
timeout 30 wine "$probe" tone "$(winpath "$rec")" 1000 1000 6000 </dev/null || status=1
exit $status
