#!/usr/bin/env bash
# `make deb`: the Debian package of the Linux program, built as Debian
# builds packages (debian/, dpkg-buildpackage -b) from a copy of the
# sources in build/deb, where the package lands. Needs nothing of the
# Windows side.
set -euo pipefail
cd "$(dirname "$0")/.."
version=$(dpkg-parsechangelog -S Version)
project=$(sed -n 's/^project(Kelvaris VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ "$version" = "$project" ] || { echo "debian/changelog is at $version, the project at $project"; exit 1; }
# The manual page, read as it stands in the tree too, names the version itself.
for page in x11_host/kelvaris.6 wayland_host/kelvaris-wayland.6; do
  grep -q "^\.TH [A-Z-]* 6 .* \"Kelvaris $project\"" "$page" || { echo "$page does not name Kelvaris $project"; exit 1; }
done
out=build/deb
tree=$out/kelvaris-$version
rm -rf "$out"
tools/copy-sources.sh "$tree"
# Built on every core unless the caller gives Debian's build options.
export DEB_BUILD_OPTIONS="${DEB_BUILD_OPTIONS-parallel=$(nproc)}"
(cd "$tree" && dpkg-buildpackage -b -us -uc >../build.log 2>&1) || {
  tail -n 40 "$out/build.log"
  exit 1
}
rm -rf "$tree"
ls "$out"/*.deb
