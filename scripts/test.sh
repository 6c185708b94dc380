#!/usr/bin/env bash
# Builds and runs every test: the portable tests natively with address and
# undefined-behaviour sanitizers, the fuzzers of the text conversions for a
# bounded number of runs, and the Windows build (the same portable tests, the
# real-platform tests and the end-to-end scripts) under Wine in a private
# environment that is torn down afterwards.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/bootstrap.sh

logs=build/test-logs
mkdir -p "$logs"
rm -f "$logs"/*.log
failed_steps=()

step() { # name, command...
  local name=$1; shift
  echo "== $name"
  if ! "$@" 2>&1 | tee "$logs/$name.log"; then
    failed_steps+=("$name")
  fi
}

build() { # preset
  cmake --preset "$1" >/dev/null && cmake --build --preset "$1" -j2
}

step build-asan build asan
step test-asan ctest --preset asan -j2
step build-fuzz build fuzz
step test-fuzz ctest --preset fuzz
step build-mingw build mingw
# Under Wine the tests share one display and sound card: one at a time.
step test-mingw scripts/wine-env exec build/mingw/wine -- ctest --preset mingw

passed=0 failed=0
for log in "$logs"/test-*.log; do
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1 || true)
  [ -n "$line" ] || continue
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
  bad=$(sed -E 's/.* ([0-9]+) tests failed.*/\1/' <<<"$line")
  passed=$((passed + total - bad))
  failed=$((failed + bad))
done

echo
if [ ${#failed_steps[@]} -gt 0 ]; then
  echo "failed steps: ${failed_steps[*]}"
  echo "$passed passed, $failed failed"
  exit 1
fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
