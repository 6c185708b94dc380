# Recording the null sink around a command, for the sound scripts.
: "${DZ_SINK_MONITOR:?run inside scripts/wine-env}"
winpath() { echo "Z:$(realpath "$1" | tr / '\\')"; }

# Records the null sink into the WAV file while the command runs.
record_while() { # file command...
  local rec=$1 parec_pid
  shift
  rm -f "$rec"
  parec --latency-msec=50 --process-time-msec=20 -d "$DZ_SINK_MONITOR" --file-format=wav "$rec" \
    </dev/null >/dev/null 2>&1 &
  parec_pid=$!
  trap "kill $parec_pid 2>/dev/null || true" EXIT
  sleep 0.5
  "$@" </dev/null
  sleep 2  # parec delivers the end late
  kill -INT "$parec_pid"
  wait "$parec_pid" || true
  trap - EXIT
}
