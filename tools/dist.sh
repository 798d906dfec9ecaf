#!/usr/bin/env bash
# `make dist`: what a user downloads, in build/dist: the bare saver, a zip of
# it with a short README for users, the installer, and the Debian package of
# the Linux program (built by `make deb`).
set -euo pipefail
cd "$(dirname "$0")/.."
version=$(sed -n 's/^project(Kelvaris VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
dist=build/dist
rm -rf "$dist"
mkdir -p "$dist/zip"
cp build/windows/kelvaris.scr "$dist/"
cp "build/windows/kelvaris-$version-setup.exe" "$dist/"
cp build/windows/kelvaris.scr installer/README.txt "$dist/zip/"
(cd "$dist/zip" && python3 -m zipfile -c "../kelvaris-$version.zip" kelvaris.scr README.txt)
rm -rf "$dist/zip"

# The Debian package, as `make deb` built it.
cp build/deb/kelvaris_"$version"_*.deb "$dist/"
ls -l "$dist"
