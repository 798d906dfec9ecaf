#!/usr/bin/env bash
# `make check-reproducible`: builds what `make dist` ships twice from the
# last commit, in two fresh clones at different paths, one after the other,
# and compares the saver, the zip, the installer and the Debian package byte
# for byte. Prints the SHA-256 of each; fails on any difference.
set -uo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d /tmp/kelvaris-reproducible.XXXXXX)
trap 'rm -rf "$work"' EXIT
trees=("$work/first" "$work/second/at/another/depth")
for tree in "${trees[@]}"; do
  mkdir -p "$(dirname "$tree")"
  git clone -q . "$tree"
  echo "building in $tree"
  (cd "$tree" && unset SOURCE_DATE_EPOCH && make dist) >"$work/build.log" 2>&1 ||
    { tail -n 40 "$work/build.log"; echo "make dist failed in $tree"; exit 1; }
done
status=0
version=$(sed -n 's/^project(Kelvaris VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
for file in kelvaris.scr "kelvaris-$version.zip" "kelvaris-$version-setup.exe" "kelvaris_${version}_$(dpkg --print-architecture).deb"; do
  first=$(sha256sum <"${trees[0]}/build/dist/$file" | cut -d' ' -f1)
  second=$(sha256sum <"${trees[1]}/build/dist/$file" | cut -d' ' -f1)
  if [ "$first" = "$second" ]; then
    echo "same   $first  $file"
  else
    echo "DIFFER $first $second  $file"
    status=1
  fi
done
[ $status -eq 0 ] && echo "reproducible: both builds gave the same files" || echo "NOT reproducible"
exit $status
