#!/usr/bin/env bash
# The Linux program alone, as a Linux user or a distribution builds it: in a
# copy of the sources where the MinGW tools, Wine and makensis cannot be run
# (each is shadowed on PATH by a stand-in that notes the call and fails),
# `make linux`, `make install` and `make deb` build, install and pack it;
# nothing of the Windows side is built, `make install` compiles nothing
# after `make linux` and `make uninstall` takes back every file and folder
# it made, the package build runs the unit tests and builds no benchmark,
# the manual page passes mandoc's lint, and lintian finds no error and no
# warning in the package.
# Usage: linux_only_test.sh SOURCE_DIR WORK_DIR
set -uo pipefail
source_dir=$1 work=$2
rm -rf "$work"
mkdir -p "$work/tree" "$work/stand-ins"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

(cd "$source_dir" && git ls-files -z --cached --others --exclude-standard | xargs -0 cp --parents -t "$work/tree")
git -C "$work/tree" init -q && git -C "$work/tree" add -A &&
  git -C "$work/tree" -c user.name=test -c user.email=test@localhost commit -qm copy
for tool in /usr/bin/*mingw32* /usr/bin/wine* /usr/bin/makensis; do
  printf '#!/bin/sh\necho "$0 $*" >>%s/calls\nexit 127\n' "$work" >"$work/stand-ins/$(basename "$tool")"
done
chmod +x "$work/stand-ins"/*

start=$(date +%s)
in_tree() { PATH="$work/stand-ins:$PATH" make -C "$work/tree" "$@"; }
in_tree linux >"$work/make.log" 2>&1 || { fail "make linux"; tail -n 30 "$work/make.log"; }
in_tree install DESTDIR="$work/stage" PREFIX=/usr >"$work/install.log" 2>&1 ||
  { fail "make install"; tail -n 30 "$work/install.log"; }
in_tree deb >>"$work/make.log" 2>&1 || { fail "make deb"; tail -n 30 "$work/make.log"; }
echo "make linux install deb: $(($(date +%s) - start)) s"
[ -s "$work/calls" ] && fail "Windows tools were called: $(cat "$work/calls")"
ls -d "$work"/tree/build/windows* 2>/dev/null && fail "a Windows build tree was made"
grep -E 'Building|setup:' "$work/install.log" && fail "make install built or set up something after make linux"
for file in libexec/xscreensaver/kelvaris share/xscreensaver/config/kelvaris.xml share/man/man6/kelvaris.6; do
  [ -f "$work/stage/usr/$file" ] || fail "make install did not install $file"
done
mandoc -T lint -W warning "$work/stage/usr/share/man/man6/kelvaris.6" || fail "mandoc finds fault with the manual page"
in_tree uninstall >/dev/null 2>&1 || fail "make uninstall"
[ -z "$(ls -A "$work/stage" 2>/dev/null)" ] && echo "ok: make uninstall left nothing" ||
  fail "make uninstall left: $(find "$work/stage" | tr '\n' ' ')"
grep -q '100% tests passed' "$work/tree/build/deb/build.log" || fail "the package build ran no unit tests"
grep -q linux_frame_bench "$work/tree/build/deb/build.log" && fail "the package build built the benchmark"

package=$(ls "$work"/tree/build/deb/kelvaris_*.deb 2>/dev/null)
[ -n "$package" ] || fail "make deb made no package"
echo "Depends: $(dpkg-deb -f "$package" Depends)"
dpkg-deb -f "$package" Depends | grep -q 'libc6 (>= ' || fail "libc6 without the version the program needs"
lintian --pedantic -I "$package" >"$work/lintian.log" 2>&1
cat "$work/lintian.log"
grep -qE '^[EW]: ' "$work/lintian.log" && fail "lintian reports errors or warnings"
[ $failures -eq 0 ] && echo "ok: built, installed and packed with only the Linux tools; lintian clean"
exit $((failures > 0))
