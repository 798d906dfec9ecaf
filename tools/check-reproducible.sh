#!/usr/bin/env bash
# `make check-reproducible`: builds what `make dist` ships twice from the
# last commit, in two fresh clones at different paths, one after the other,
# the second under another locale (German, whose collation sorts file names
# differently), time zone, umask and job count, and compares the saver, the
# zip, the installer, the Debian package, SHA256SUMS and the files' modes.
# Prints the SHA-256 of each; fails on any difference, and then shows what
# differs inside the files (diffoscope: into the zip, the package's
# archives, the PE sections), keeping its report in build/reproducible.
set -uo pipefail
cd "$(dirname "$0")/.."
report=build/reproducible
rm -rf "$report"
work=$(mktemp -d /tmp/kelvaris-reproducible.XXXXXX)
trap 'rm -rf "$work"' EXIT
# A locale of our own, so that none needs to be installed system-wide.
mkdir -p "$work/locales" && localedef -i de_DE -f UTF-8 "$work/locales/de_DE.UTF-8" 2>/dev/null ||
  { echo "localedef could not make the de_DE.UTF-8 locale"; exit 1; }
trees=("$work/first" "$work/second/at/another/depth")
environments=("umask 022; export TZ=UTC JOBS=$(nproc)"
  "umask 077; export LOCPATH=$work/locales LC_ALL=de_DE.UTF-8 TZ=Pacific/Chatham JOBS=1")
for i in 0 1; do
  tree=${trees[$i]}
  mkdir -p "$(dirname "$tree")"
  git clone -q . "$tree"
  echo "building in $tree (${environments[$i]})"
  (cd "$tree" && eval "${environments[$i]}" && unset SOURCE_DATE_EPOCH && make dist JOBS="$JOBS") \
    >"$work/build.log" 2>&1 || { tail -n 40 "$work/build.log"; echo "make dist failed in $tree"; exit 1; }
done
status=0
modes() { (cd "$1" && stat -c '%a %n' -- * | LC_ALL=C sort); }
if [ "$(modes "${trees[0]}/build/dist")" = "$(modes "${trees[1]}/build/dist")" ]; then
  echo "same   modes: $(modes "${trees[0]}/build/dist" | cut -d' ' -f1 | sort -u | tr '\n' ' ')"
else
  echo "DIFFER modes"; diff <(modes "${trees[0]}/build/dist") <(modes "${trees[1]}/build/dist"); status=1
fi
version=$(sed -n 's/^project(Kelvaris VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
for file in kelvaris.scr "kelvaris-$version.zip" "kelvaris-$version-setup.exe" \
  "kelvaris_${version}_$(dpkg --print-architecture).deb" SHA256SUMS; do
  first=$(sha256sum <"${trees[0]}/build/dist/$file" | cut -d' ' -f1)
  second=$(sha256sum <"${trees[1]}/build/dist/$file" | cut -d' ' -f1)
  if [ "$first" = "$second" ]; then
    echo "same   $first  $file"
  else
    echo "DIFFER $first $second  $file"
    mkdir -p "$report"
    diffoscope --text "$report/$file.txt" "${trees[0]}/build/dist/$file" "${trees[1]}/build/dist/$file" >/dev/null
    head -n 60 "$report/$file.txt"
    echo "  (the whole comparison: $report/$file.txt)"
    status=1
  fi
done
[ $status -eq 0 ] && echo "reproducible: both builds gave the same files" || echo "NOT reproducible"
exit $status
