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
skipped_steps=()

step() { # name, command...
  local name=$1; shift
  echo "== $name"
  if "$@" 2>&1 | tee "$logs/$name.log"; then
    return 0
  fi
  failed_steps+=("$name")
  return 1
}

build() { # preset
  cmake --preset "$1" >/dev/null && cmake --build --preset "$1" -j2
}

# The tests of a tree whose build failed would run stale programs or none:
# they are skipped and the failed build is what the summary reports.
build_and_test() { # preset, test command...
  local preset=$1; shift
  if ! step "build-$preset" build "$preset"; then
    echo "== test-$preset: skipped, its build failed"
    skipped_steps+=("test-$preset")
    return 0
  fi
  step "test-$preset" "$@" || true
}

build_and_test asan ctest --preset asan -j2
build_and_test fuzz ctest --preset fuzz
# Under Wine the tests share one display and sound card: one at a time.
build_and_test mingw scripts/wine-env exec build/mingw/wine -- ctest --preset mingw

# ctest counts a skipped test as passed in its own summary line and leaves a
# disabled one out of it; both are counted apart here, from the lines of the
# tests themselves. A test that could not run ("Not Run") is a failure.
passed=0 failed=0 skipped=0
for log in "$logs"/test-*.log; do
  [ -e "$log" ] || continue
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1 || true)
  [ -n "$line" ] || continue
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
  bad=$(sed -E 's/.* ([0-9]+) tests failed.*/\1/' <<<"$line")
  skips=$(grep -cE '^ *[0-9]+/[0-9]+ Test +#[0-9]+: .*\*\*\*Skipped' "$log" || true)
  disabled=$(grep -cE '^ *[0-9]+/[0-9]+ Test +#[0-9]+: .*\*\*\*Not Run \(Disabled\)' "$log" || true)
  passed=$((passed + total - bad - skips))
  failed=$((failed + bad))
  skipped=$((skipped + skips + disabled))
done

echo
echo "$passed passed, $failed failed, $skipped skipped"
if [ ${#failed_steps[@]} -gt 0 ]; then
  echo "failed steps: ${failed_steps[*]} (logs in $logs)"
fi
if [ ${#skipped_steps[@]} -gt 0 ]; then
  echo "not run because their build failed: ${skipped_steps[*]}"
fi
if [ ${#failed_steps[@]} -gt 0 ] || [ "$failed" -ne 0 ]; then
  echo "FAILED"
  exit 1
fi
echo "PASSED"
