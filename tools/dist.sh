#!/usr/bin/env bash
# `make dist`: what a user downloads, in build/dist: the bare saver, a zip of
# it with a short README for users, the installer, and a Debian package of
# the Linux program with its XScreenSaver settings file.
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

package="$dist/deb"
DESTDIR="$package" cmake --install build/linux --prefix /usr >/dev/null
mkdir -p "$package/DEBIAN"
cat >"$package/DEBIAN/control" <<CONTROL
Package: kelvaris
Version: $version
Architecture: $(dpkg --print-architecture)
Maintainer: Kelvaris developers <kelvaris@localhost>
Depends: libc6, libstdc++6, libx11-6, libgl1, libglu1-mesa
Recommends: xscreensaver
Section: x11
Priority: optional
Description: Kelvaris, a screen saver for XScreenSaver
 A large sphere whose colour runs through all hues, small satellites
 circling it on tilted rings, and one white light circling the scene,
 drawn with OpenGL.
CONTROL
dpkg-deb --root-owner-group --build "$package" "$dist/kelvaris_${version}_$(dpkg --print-architecture).deb" >/dev/null
rm -rf "$package"
ls -l "$dist"
