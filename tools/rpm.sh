#!/usr/bin/env bash
# `make rpm`: the RPM of the Linux program in Fedora's layout, built by
# rpmbuild from rpm/kelvaris.rpmbuild and a tarball of the sources, in
# build/rpm, where the package lands. Its build requirements name Fedora's
# packages, which Debian's rpm database does not know, so rpmbuild does not
# check them here (setup installs Debian's packages that provide them).
# After the install step it compresses the manual page and strips the
# program, as Fedora's build system does (Debian's rpm strips only debug
# symbols, and its brp-compress needs bash).
set -euo pipefail
cd "$(dirname "$0")/.."
version=$(sed -n 's/^Version: *//p' rpm/kelvaris.rpmbuild)
project=$(sed -n 's/^project(Kelvaris VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ "$version" = "$project" ] || { echo "rpm/kelvaris.rpmbuild is at $version, the project at $project"; exit 1; }
out=$PWD/build/rpm
rm -rf "$out"
tools/copy-sources.sh "$out/kelvaris-$version"
mkdir -p "$out/SOURCES"
tar -C "$out" --sort=name --owner=0 --group=0 --numeric-owner --mtime="@${SOURCE_DATE_EPOCH:-0}" \
  -czf "$out/SOURCES/kelvaris-$version.tar.gz" "kelvaris-$version"
rm -rf "${out:?}/kelvaris-$version"
rpmbuild -bb --nodeps --define "_topdir $out" \
  --define '__os_install_post bash /usr/lib/rpm/brp-compress; find %{buildroot} -type f -perm -u+x -exec strip --strip-unneeded {} +' \
  rpm/kelvaris.rpmbuild >"$out/build.log" 2>&1 || {
  tail -n 40 "$out/build.log"
  exit 1
}
ls "$out"/RPMS/*/*.rpm
