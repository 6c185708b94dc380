#!/usr/bin/env bash
# CPU time per minute of wall time that the program costs while it waits for
# the alarm, beside a bare Win32 program with the same three timers running
# (10 ms, 10 s, 1 s) and nothing else (BareTimers.exe):
#
#   watching  dozewell.exe just started: window open, alarm check running
#   dark      after "Switch off screen - Go to sleep": the display is pushed
#             off every 10 ms
#   bare      BareTimers.exe
#
# CPU time is user + system time from /proc/<pid>/stat of the program's
# Wine process plus the environment's wineserver, which every program call
# that reaches the server costs. The wineserver is shared, so the three are
# measured one after the other in each round, never at once; each program
# starts fresh, and each measurement begins 10 s after the start or the
# switch-off. Prints each round, then the medians and their ratios to the
# bare program.
#
#   scripts/wine-env exec build/mingw/wine -- bench/idle-cpu.sh [ROUNDS [SECONDS]]
#
# ROUNDS (default 5) rounds of SECONDS (default 30) per measurement.
# Builds dozewell, BareTimers and dzprobe in build/mingw first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:-5}
seconds=${2:-30}
settle=10
: "${WINEPREFIX:?run inside scripts/wine-env}"

build=$root/build/mingw
cmake --build --preset mingw --target dozewell BareTimers dzprobe -j2 >/dev/null
exe=$build/app/dozewell.exe
bare=$build/bench/BareTimers.exe
probe_exe=$build/tests/e2e/dzprobe.exe
version=$(sed -nE 's/^project\(Dozewell VERSION ([0-9.]+).*/\1/p' "$root/CMakeLists.txt")
title="Dozewell  Version $version"
bare_title='Bare timers'

folder=$build/bench-idle
rm -rf "$folder"
mkdir -p "$folder"
cp "$exe" "$folder/dozewell.exe"
if [ -f "$build/app/wakeup.wav" ]; then
  cp "$build/app/wakeup.wav" "$folder/wakeup.wav"
else
  sox -n -r 22050 -c 1 -b 16 "$folder/wakeup.wav" synth 3 sine 880 vol 0.5
fi

probe() { timeout 30 wine "$probe_exe" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
field() { awk -v k="$2" '$1 == k { $1 = ""; sub(/^ /, ""); print; exit }' <<<"$1"; }

tick=$(getconf CLK_TCK)

# The wineserver of this environment: the one that has our prefix.
server=""
for dir in /proc/[0-9]*; do
  case $(cat "$dir/comm" 2>/dev/null) in
    wineserver*)
      if tr '\0' '\n' <"$dir/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
        server=${dir#/proc/}
      fi ;;
  esac
done
[ -n "$server" ] || { echo "idle-cpu: no wineserver of $WINEPREFIX is running" >&2; exit 1; }

# user + system clock ticks of a process (fields 14 and 15 of its stat; the
# name before them may hold blanks).
cpu_ticks() { # pid
  local stat
  stat=$(cat "/proc/$1/stat")
  stat=${stat##*) }
  # shellcheck disable=SC2086
  set -- $stat
  echo $((${12} + ${13}))
}

app_pid=""
stop_app() { # title
  [ -n "$app_pid" ] || return 0
  probe close "$1" >/dev/null || true
  for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$app_pid" 2>/dev/null; then kill "$app_pid" 2>/dev/null || true; fi
  wait "$app_pid" 2>/dev/null || true
  app_pid=""
}
trap 'stop_app "$title"; stop_app "$bare_title"' EXIT

start_app() { # folder exe title
  (cd "$1" && exec wine "$2" </dev/null >/dev/null 2>&1) &
  app_pid=$!
  probe wait "$3" 20000 >/dev/null || { echo "idle-cpu: no window '$3'" >&2; exit 1; }
  sleep "$settle"
}

# CPU seconds per minute of wall time of the program and of the wineserver
# over $seconds: prints "program server".
measure() {
  local a0 s0 t0 a1 s1 t1
  a0=$(cpu_ticks "$app_pid") s0=$(cpu_ticks "$server") t0=$(date +%s%N)
  sleep "$seconds"
  a1=$(cpu_ticks "$app_pid") s1=$(cpu_ticks "$server") t1=$(date +%s%N)
  awk -v a=$((a1 - a0)) -v s=$((s1 - s0)) -v t=$((t1 - t0)) -v hz="$tick" \
    'BEGIN { m = t / 6e10; printf "%.3f %.3f\n", a / hz / m, s / hz / m }'
}

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# The pointer never rests on a standard control while measuring: under Wine,
# resting on one that has the system's visual style can cost about as much
# again as the whole program (Wine polls the pointer for the control's hot
# look), which is Wine's cost, not the program's. It starts in the screen's
# corner and, in the dark, rests on the large clock.
read -r sw sh < <(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')
corner="$((sw - 1)) $((sh - 1))"

results=$(mktemp)
echo "CPU seconds per minute of wall time (program + wineserver), $rounds rounds of $seconds s"
printf '%-6s %-24s %-24s %-24s\n' round watching dark bare
for ((r = 1; r <= rounds; r++)); do
  rm -f "$folder/folderS.txt"
  xdotool mousemove --sync $corner </dev/null
  start_app "$folder" dozewell.exe "$title"
  read -r wa ws <<<"$(measure)"
  button=$(probe child "$title" 292 520)
  [ "$(field "$button" text)" = "Switch off screen - Go to sleep" ] ||
    { echo "idle-cpu: the switch-off button is not where it should be: $button" >&2; exit 1; }
  read -r bx by bw bh <<<"$(field "$button" rect)"
  xdotool mousemove --sync $((bx + bw / 2)) $((by + bh / 2)) click 1 </dev/null
  # Then straight onto the large clock, which does not wake the display (the
  # pointer jumps: passing over the background would wake it).
  read -r _ _ px py _ <<<"$(probe layout "$title" | grep -m1 '^control TPanel ')"
  xdotool mousemove --sync $((px + 32 + 280)) $((py + 64 + 125)) </dev/null
  sleep "$settle"
  if probe popups "$title" | grep -q '^popup '; then
    echo "idle-cpu: a box opened on switching off: $(probe popups "$title")" >&2
    exit 1
  fi
  read -r da ds <<<"$(measure)"
  stop_app "$title"
  start_app "$folder" "$bare" "$bare_title"
  read -r ba bs <<<"$(measure)"
  stop_app "$bare_title"
  printf '%-6s %-24s %-24s %-24s\n' "$r" "$wa + $ws" "$da + $ds" "$ba + $bs"
  echo "$wa $ws $da $ds $ba $bs" >> "$results"
done

col_median() { awk -v c="$1" '{ print $c }' "$results" | median; }
sum_median() { awk -v a="$1" -v b="$2" '{ print $a + $b }' "$results" | median; }
watching=$(sum_median 1 2) dark=$(sum_median 3 4) base=$(sum_median 5 6)
echo
echo "medians (program / wineserver / both, CPU s per minute):"
printf '  watching  %.3f / %.3f / %.3f\n' "$(col_median 1)" "$(col_median 2)" "$watching"
printf '  dark      %.3f / %.3f / %.3f\n' "$(col_median 3)" "$(col_median 4)" "$dark"
printf '  bare      %.3f / %.3f / %.3f\n' "$(col_median 5)" "$(col_median 6)" "$base"
awk -v w="$watching" -v d="$dark" -v b="$base" 'BEGIN {
  if (b > 0) printf "ratio to the bare program: watching %.2f, dark %.2f (goal: at most 1.20)\n", w / b, d / b
  else print "the bare program used no measurable CPU time"
}'
rm -f "$results"
