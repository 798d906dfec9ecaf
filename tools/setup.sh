#!/usr/bin/env bash
# Installs what the build and the tests need from Debian's archive.
# Idempotent: does nothing (quickly) when every package is present.
set -euo pipefail

packages=(
  cmake make ninja-build
  g++ libgtest-dev googletest
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-tools
  wine wine64
  xvfb xauth libgl1-mesa-dri mesa-utils xserver-xephyr
  xdotool imagemagick fonts-dejavu-core procps
  libx11-dev libgl-dev libglu1-mesa-dev xscreensaver
  clang libclang-rt-14-dev
  libbenchmark-dev python3
  nsis g++-mingw-w64-i686-posix binutils-mingw-w64-i686
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
