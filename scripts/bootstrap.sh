#!/usr/bin/env bash
# Installs what building, running and testing Dozewell needs on Debian or
# Ubuntu, and only what is missing. Quiet when everything is there.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang
  g++-mingw-w64-x86-64-posix mingw-w64-tools
  googletest libgtest-dev
  wine wine64 libwine fonts-wine fonts-liberation
  xvfb xauth x11-utils x11-xserver-utils xdotool imagemagick
  pulseaudio pulseaudio-utils sox lame
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  procps psmisc
  nsis
)

installed() { # package
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q '^install ok installed$'
}

# The fuzzers link clang's libFuzzer runtime. Which package holds it depends
# on the release: libclang-rt-N-dev where the release has split it out of
# libclang-common-N-dev, that package itself in older releases (N is the
# version of the release's clang).
fuzzer_runtime_present() {
  command -v clang >/dev/null 2>&1 || return 1
  compgen -G "$(clang --print-runtime-dir 2>/dev/null)/libclang_rt.fuzzer*.a" >/dev/null
}

offered() { # package: the release has a version of it to install
  apt-cache policy "$1" 2>/dev/null | grep -Eq '^ +Candidate: [^(]'
}

fuzzer_runtime_package() {
  local version p
  if command -v clang >/dev/null 2>&1; then
    version=$(clang -dumpversion | cut -d. -f1)
  else
    version=$(apt-cache depends clang 2>/dev/null | sed -En 's/^ +Depends: clang-([0-9]+)$/\1/p' | head -n 1)
  fi
  for p in "libclang-rt-$version-dev" "libclang-common-$version-dev"; do
    if [ -n "$version" ] && offered "$p"; then
      echo "$p"
      return 0
    fi
  done
  echo "bootstrap: this release offers no package with clang${version:+ $version}'s fuzzer runtime" >&2
  return 1
}

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
runtime_missing=false
fuzzer_runtime_present || runtime_missing=true
[ ${#missing[@]} -eq 0 ] && ! $runtime_missing && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
if $runtime_missing; then
  missing+=("$(fuzzer_runtime_package)")
fi
echo "bootstrap: installing ${missing[*]}"
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
echo "bootstrap: done"
