#!/usr/bin/env bash
# The wake-up sound plays on a stream of its own: recorded from the null sink
# while the probe loops it for about 9 s and, in the same process, plays a
# 0.2 s blip with PlaySound, beeps and shows an error box, it sounds on after
# all three (one PlaySound ends the sound of another).
set -euo pipefail
probe=$1 dir=$2
: "${DZ_SINK_MONITOR:?run inside scripts/wine-env}"
winpath() { echo "Z:$(realpath "$1" | tr / '\\')"; }
rec="$dir/wakeup-loop.wav"
rm -f "$rec"
parec --latency-msec=50 --process-time-msec=20 -d "$DZ_SINK_MONITOR" --file-format=wav "$rec" \
  </dev/null >/dev/null 2>&1 &
parec_pid=$!
trap 'kill $parec_pid 2>/dev/null || true' EXIT
sleep 0.5
timeout 60 wine "$probe" wakeup "$(winpath "$dir/blip.wav")" </dev/null
sleep 2  # parec delivers the end late
kill -INT $parec_pid
wait $parec_pid || true
trap - EXIT
# Milliseconds, in 100 ms windows, that carry sound.
heard=$(sox "$rec" -t dat -c 1 - 2>/dev/null | awk '
  /^;/ { if ($0 ~ /Sample Rate/) rate = $4; next }
  { sum += $2 * $2; if (++n == int(rate / 10)) { if (sqrt(sum / n) > 0.01) ms += 100; sum = 0; n = 0 } }
  END { print ms + 0 }')
echo "sound heard for $heard ms"
[ "$heard" -ge 7000 ] || { echo "FAIL: the wake-up sound did not sound on after the other sounds"; exit 1; }
echo "PASS"
