#!/usr/bin/env bash
# Installs what the build and the tests need from Debian's archive:
# `setup.sh linux` only what the Linux program, its tests and its package
# need; `setup.sh` or `setup.sh all` everything, the Windows side too; any
# further arguments are packages that one longer check needs besides.
# Idempotent: does nothing (quickly) when every package is present.
set -euo pipefail

linux_packages=(
  cmake make g++ libgtest-dev
  xvfb libgl1-mesa-dri mesa-utils xdotool x11-utils imagemagick procps python3
  libx11-dev libgl-dev libglu1-mesa-dev xscreensaver xscreensaver-data xscreensaver-gl
  debhelper dpkg-dev fakeroot lintian man-db mandoc git python3-pyatspi python3-dbus python3-gi at-spi2-core dbus-daemon
  rpm rpmlint
  pkg-config libegl-dev libwayland-dev libxkbcommon-dev wayland-protocols librust-wayland-protocols-dev
  plasma-wayland-protocols libsystemd-dev
  sway grim wtype weston mutter kwin-wayland
)
windows_packages=(
  ninja-build googletest
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-tools
  wine wine64 xserver-xephyr x11-xserver-utils fonts-dejavu-core
  clang libclang-rt-14-dev libbenchmark-dev
  nsis osslsigncode openssl g++-mingw-w64-i686-posix binutils-mingw-w64-i686 locales
)
packages=("${linux_packages[@]}" "${@:2}")
[ "${1:-all}" = linux ] || packages+=("${windows_packages[@]}")

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
