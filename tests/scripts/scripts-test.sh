#!/usr/bin/env bash
# Cases for the scripts in scripts/, each against stand-ins for the commands
# the script calls, in a scratch folder.
#
#   bash scripts-test.sh CASE SOURCE_ROOT
set -uo pipefail
case_name=$1
src=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin"
export CALLS=$work/calls
: > "$CALLS"

fail() { echo "FAIL: $*" >&2; exit 1; }
stub() { # file body: a bash script standing in for a command
  mkdir -p "$(dirname "$1")"
  printf '#!/usr/bin/env bash\n%s\n' "$2" > "$1"
  chmod +x "$1"
}
expect_line() { # text line
  grep -qxF -- "$2" <<<"$1" || fail "no line '$2' in:"$'\n'"$1"
}

test_skips_the_tests_of_a_failed_build() {
  local root=$work/root out
  mkdir -p "$root/scripts"
  cp "$src/scripts/test.sh" "$root/scripts/"
  stub "$root/scripts/bootstrap.sh" 'exit 0'
  stub "$root/scripts/wine-env" 'echo "wine-env $*" >> "$CALLS"'
  stub "$work/bin/cmake" '[ "$*" != "--build --preset mingw -j2" ] || { echo "error: broken" >&2; exit 1; }'
  stub "$work/bin/ctest" 'echo "ctest $*" >> "$CALLS"; echo "100% tests passed, 0 tests failed out of 3"'
  out=$(PATH="$work/bin:$PATH" "$root/scripts/test.sh" 2>&1) && fail "a failed build passed:"$'\n'"$out"
  expect_line "$out" "failed steps: build-mingw (logs in build/test-logs)"
  expect_line "$out" "not run because their build failed: test-mingw"
  expect_line "$out" "6 passed, 0 failed, 0 skipped"
  [ "$(tail -n 1 <<<"$out")" = FAILED ] || fail "the summary does not end in FAILED:"$'\n'"$out"
  [ "$(cat "$CALLS")" = $'ctest --preset asan -j2\nctest --preset fuzz' ] ||
    fail "ran other tests than those of the good builds: $(cat "$CALLS")"
}

test_summary_counts_skipped_tests_apart() {
  local root=$work/root out
  mkdir -p "$root/scripts"
  cp "$src/scripts/test.sh" "$root/scripts/"
  stub "$root/scripts/bootstrap.sh" 'exit 0'
  stub "$root/scripts/wine-env" 'shift 3; "$@"'
  stub "$work/bin/cmake" 'exit 0'
  # What ctest prints: a skipped test inside "tests passed", a disabled one
  # outside the total, a missing program as a failure.
  stub "$work/bin/ctest" 'cat <<OUT
1/5 Test #1: a ...   Passed    0.01 sec
2/5 Test #2: b ...***Skipped   0.01 sec
3/5 Test #3: c ...***Not Run (Disabled)   0.00 sec
4/5 Test #4: d ...***Not Run   0.00 sec
5/5 Test #5: e ...   Passed    0.01 sec

75% tests passed, 1 tests failed out of 4

The following tests did not run:
	  2 - b (Skipped)
	  3 - c (Disabled)
OUT
exit 8'
  out=$(PATH="$work/bin:$PATH" "$root/scripts/test.sh" 2>&1)
  expect_line "$out" "6 passed, 3 failed, 6 skipped"
  [ "$(tail -n 1 <<<"$out")" = FAILED ] || fail "the summary does not end in FAILED:"$'\n'"$out"
}

test_configure_stops_when_a_source_names_another_version() {
  local root=$work/root out
  mkdir -p "$root/cmake" "$root/alarm" "$root/app" "$root/runtime"
  for f in cmake/Version.cmake cmake/DozewellVersion.h.in alarm/Form1Layout.cpp app/dozewell.manifest \
           README.md runtime/Shell.h; do
    cp "$src/$f" "$root/$f"
  done
  # The top of the project's own list: project() and the version's checks.
  sed -n '/^cmake_minimum_required/,/LANGUAGES/p' "$src/CMakeLists.txt" > "$root/CMakeLists.txt"
  echo 'include(cmake/Version.cmake)' >> "$root/CMakeLists.txt"
  out=$(cmake -S "$root" -B "$work/build" 2>&1) || fail "the project as it stands does not configure:"$'\n'"$out"
  grep -q "^#define DZ_VERSION_TEXT \"$(sed -nE 's/^project\(Dozewell VERSION ([0-9.]+).*/\1/p' "$root/CMakeLists.txt")\"" \
    "$work/build/generated/DozewellVersion.h" || fail "the version header does not hold the project's version"

  # A README that names the installer of another version.
  sed -i '0,/Dozewell-[0-9.]*-setup/s//Dozewell-9.9-setup/' "$root/README.md"
  out=$(cmake -S "$root" -B "$work/build" 2>&1) && fail "configured with a README naming another version"
  grep -q 'README.md has Dozewell-9.9-setup' <<<"$out" || fail "the message does not name the README:"$'\n'"$out"
}

start_time() { # pid
  local stat
  stat=$(cat "/proc/$1/stat")
  awk '{ print $20 }' <<<"${stat##*) }"
}

running() { # pid: neither ended nor a zombie
  [ -e "/proc/$1" ] && [ "$(awk '{ print $3 }' "/proc/$1/stat")" != Z ]
}

test_wine_env_signals_only_its_own_processes() {
  local state=$work/state ours other
  mkdir -p "$state/run"
  sleep 300 &
  ours=$!
  sleep 300 &
  other=$!
  trap "kill $ours $other 2>/dev/null; rm -rf '$work'" EXIT
  # The second pid was reused by another program after a run that died.
  printf 'xvfb %s %s\npulse %s 1\n' "$ours" "$(start_time "$ours")" "$other" > "$state/run/pids"
  "$src/scripts/wine-env" down "$state" || fail "down failed"
  running "$other" || fail "down signalled a process it had not started"
  ! running "$ours" || fail "down left its own process running"
  wait "$ours"
  [ $? -eq 143 ] || fail "down did not end its own process with SIGTERM"
  [ ! -e "$state/run/pids" ] || fail "the list of processes is left behind"
}

test_wine_env_removes_the_server_folder_of_its_own_prefix() {
  local state=$work/state ours other base=/tmp/.wine-$(id -u)
  mkdir -p "$state/run" "$work/prefix" "$work/tmp/wine-Other1"
  printf "export WINEPREFIX='%s'\n" "$work/prefix" > "$state/run/env.sh"
  export TMPDIR=$work/tmp

  # The server's folder as Debian's Wine names it, in the prefix.
  mkdir -p "$work/tmp/wine-Ours12/server-fe00-1"
  echo wine-Ours12 > "$work/prefix/wineserver"
  # A server that does not end in time still needs its folder.
  stub "$work/bin/wineserver" '[ "$1" != -w ] || exit 1'
  PATH="$work/bin:$PATH" "$src/scripts/wine-env" down "$state" || fail "down failed"
  [ -d "$work/tmp/wine-Ours12/server-fe00-1" ] || fail "down removed the folder of a server still running"

  stub "$work/bin/wineserver" 'exit 0'
  PATH="$work/bin:$PATH" "$src/scripts/wine-env" down "$state" || fail "down failed"
  [ ! -e "$work/tmp/wine-Ours12" ] || fail "down left the server folder of its prefix"
  [ ! -e "$work/prefix/wineserver" ] || fail "down left the prefix naming a removed folder"
  [ -d "$work/tmp/wine-Other1" ] || fail "down removed the server folder of another prefix"

  # The same as Wine itself names it, after the prefix's device and inode.
  ours=$(printf '%s/server-%x-%x' "$base" $(stat -c '%d %i' "$work/prefix"))
  other=$(printf '%s/server-%x-%x' "$base" $(stat -c '%d %i' "$work/tmp"))
  [ -d "$base" ] || trap "rm -rf '$ours' '$other' '$work'; rmdir '$base' 2>/dev/null" EXIT
  [ -d "$base" ] && trap "rm -rf '$ours' '$other' '$work'" EXIT
  mkdir -p "$ours" "$other"
  PATH="$work/bin:$PATH" "$src/scripts/wine-env" down "$state" || fail "down failed"
  [ ! -e "$ours" ] || fail "down left the server folder of its prefix in $base"
  [ -d "$other" ] || fail "down removed the server folder of another prefix in $base"
}

# Runs wine-run on a program with a stand-in for wine; its output in $out.
wine_run() { # wine-body program expected-exit-status
  stub "$work/bin/wine" "$1"
  out=$(PATH="$work/bin:$PATH" DZ_WINE_STATE=$work/state WINEPREFIX=$work/prefix "$src/scripts/wine-run" "$2" 2>&1)
  local rc=$?
  [ $rc -eq "$3" ] || fail "$2: exit status $rc, not $3"
}

test_wine_run_explains_a_silent_death() {
  wine_run 'echo "0024:err:module:import_dll Library a.dll not found" >&2; exit 53' silent.exe 53
  expect_line "$out" "wine-run: silent.exe ended with exit status 53 without printing anything"
  expect_line "$out" "  0024:err:module:import_dll Library a.dll not found"
  ! grep -q 'starting it again' <<<"$out" || fail "a failure of the program's own was retried"

  # Wine failing to lay out the new process: one more start, said aloud.
  wine_run 'if [ ! -e "$CALLS.first" ]; then
  touch "$CALLS.first"; echo "err:virtual:virtual_alloc_first_teb wine: failed to map the shared user data: c0000018" >&2; exit 1
fi
echo "[  PASSED  ] 1 test."' flaky.exe 0
  expect_line "$out" "wine-run: Wine failed to lay out the process for flaky.exe (err:virtual:virtual_alloc_first_teb wine: failed to map the shared user data: c0000018); starting it again"
  expect_line "$out" "[  PASSED  ] 1 test."

  # A program that prints: its lines and its own complaints, not Wine's.
  wine_run 'printf "[ RUN      ] A.B\r\n"; echo "0024:err:x:y noise" >&2; echo "own complaint" >&2; exit 1' talks.exe 1
  expect_line "$out" "[ RUN      ] A.B"
  expect_line "$out" "own complaint"
  ! grep -q 'noise\|wine-run' <<<"$out" || fail "Wine's errors shown for a program that printed:"$'\n'"$out"
  [ -z "$(ls "$work/state/run")" ] || fail "wine-run leaves files behind: $(ls "$work/state/run")"
}

test_bootstrap_picks_the_fuzzer_runtime_the_release_offers() {
  local out
  mkdir -p "$work/runtime"
  stub "$work/bin/id" 'echo 0'
  stub "$work/bin/dpkg-query" 'echo "install ok installed"'
  stub "$work/bin/clang" 'case $1 in --print-runtime-dir) echo "$RUNTIME";; -dumpversion) echo "$VERSION.0.6";; esac'
  stub "$work/bin/apt-cache" '[ "$1" = policy ] || exit 1
echo "$2:"
if grep -qw -- "$2" <<<"$OFFERED"; then echo "  Candidate: 1:1.0-1"; else echo "  Candidate: (none)"; fi'
  stub "$work/bin/apt-get" 'echo "apt-get $*" >> "$CALLS"'
  export RUNTIME=$work/runtime

  # An older release: the runtime is still part of the common package.
  VERSION=14 OFFERED="libclang-common-14-dev" PATH="$work/bin:$PATH" "$src/scripts/bootstrap.sh" >/dev/null ||
    fail "bootstrap failed"
  grep -q 'install .* libclang-common-14-dev$' "$CALLS" || fail "installed: $(cat "$CALLS")"
  # A newer one has split it out, for its own clang version.
  : > "$CALLS"
  VERSION=18 OFFERED="libclang-rt-18-dev libclang-common-18-dev" PATH="$work/bin:$PATH" \
    "$src/scripts/bootstrap.sh" >/dev/null || fail "bootstrap failed"
  grep -q 'install .* libclang-rt-18-dev$' "$CALLS" || fail "installed: $(cat "$CALLS")"
  # Everything there: not a word, nothing installed.
  : > "$CALLS"
  touch "$work/runtime/libclang_rt.fuzzer-x86_64.a"
  out=$(VERSION=14 OFFERED="" PATH="$work/bin:$PATH" "$src/scripts/bootstrap.sh" 2>&1) || fail "bootstrap failed"
  [ -z "$out$(cat "$CALLS")" ] || fail "not quiet with everything there: $out $(cat "$CALLS")"
}

"test_$case_name" || fail "$case_name did not finish (is there such a case?)"
echo "PASS: $case_name"
