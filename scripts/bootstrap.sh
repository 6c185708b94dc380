#!/usr/bin/env bash
# Installs what building, running and testing Dozewell needs on Debian or
# Ubuntu, and only what is missing. Quiet when everything is there.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix mingw-w64-tools
  googletest libgtest-dev
  wine wine64 libwine fonts-wine fonts-liberation
  xvfb xauth x11-utils x11-xserver-utils xdotool imagemagick
  pulseaudio pulseaudio-utils sox lame
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  procps psmisc
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "bootstrap: installing ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
echo "bootstrap: done"
