#!/usr/bin/env bash
# The Linux program alone, as a Linux user or a distribution builds it: in a
# copy of the sources where the MinGW tools, Wine and makensis cannot be run
# (each is shadowed on PATH by a stand-in that notes the call and fails).
#   build       (the fixture) `make linux`, `make install` into a stage and
#               `make deb`, each of which must succeed
#   no-windows  nothing of the Windows side was called or built
#   install     `make install` compiled nothing after `make linux`, installed
#               every file, and the manual page passes mandoc's lint
#   uninstall   `make uninstall` takes back every file and folder it made
#   package     the package build ran the unit tests and built no benchmark;
#               the package depends on the libc it needs, and lintian finds
#               no error and no warning in it
# Usage: linux_only_test.sh CASE SOURCE_DIR WORK_DIR
set -uo pipefail
case=$1 source_dir=$2 work=$3
source "$(dirname "$0")/../support/test_lib.sh"
in_tree() { PATH="$work/stand-ins:$PATH" make -C "$work/tree" "$@"; }
files=(libexec/xscreensaver/kelvaris share/xscreensaver/config/kelvaris.xml share/man/man6/kelvaris.6)

case $case in
  build)
    rm -rf "$work"
    mkdir -p "$work/tree" "$work/stand-ins"
    (cd "$source_dir" && git ls-files -z --cached --others --exclude-standard | xargs -0 cp --parents -t "$work/tree")
    git -C "$work/tree" init -q && git -C "$work/tree" add -A &&
      git -C "$work/tree" -c user.name=test -c user.email=test@localhost commit -qm copy
    for tool in /usr/bin/*mingw32* /usr/bin/wine* /usr/bin/makensis; do
      printf '#!/bin/sh\necho "$0 $*" >>%s/calls\nexit 127\n' "$work" >"$work/stand-ins/$(basename "$tool")"
    done
    chmod +x "$work/stand-ins"/*
    start=$(date +%s)
    in_tree linux >"$work/make.log" 2>&1 || { fail "make linux"; tail -n 30 "$work/make.log"; }
    in_tree install DESTDIR="$work/stage" PREFIX=/usr >"$work/install.log" 2>&1 ||
      { fail "make install"; tail -n 30 "$work/install.log"; }
    in_tree deb >>"$work/make.log" 2>&1 || { fail "make deb"; tail -n 30 "$work/make.log"; }
    echo "make linux install deb: $(($(date +%s) - start)) s"
    ;;
  no-windows)
    [ -s "$work/calls" ] && fail "Windows tools were called: $(cat "$work/calls")"
    ls -d "$work"/tree/build/windows* 2>/dev/null && fail "a Windows build tree was made"
    ;;
  install)
    grep -E 'Building|setup:' "$work/install.log" && fail "make install built or set up something after make linux"
    for file in "${files[@]}"; do
      [ -f "$work/stage/usr/$file" ] || fail "make install did not install $file"
    done
    mandoc -T lint -W warning "$work/stage/usr/share/man/man6/kelvaris.6" || fail "mandoc finds fault with the manual page"
    ;;
  uninstall)
    # A stage of its own, so that the other cases keep theirs.
    stage="$work/uninstall-stage"
    rm -rf "$stage"
    in_tree install DESTDIR="$stage" PREFIX=/usr >/dev/null 2>&1 || fail "make install"
    [ -f "$stage/usr/${files[0]}" ] || fail "make install did not install ${files[0]}"
    in_tree uninstall >/dev/null 2>&1 || fail "make uninstall"
    [ -z "$(ls -A "$stage" 2>/dev/null)" ] && ok "make uninstall left nothing" ||
      fail "make uninstall left: $(find "$stage" | tr '\n' ' ')"
    ;;
  package)
    grep -q '100% tests passed' "$work/tree/build/deb/build.log" || fail "the package build ran no unit tests"
    grep -q linux_frame_bench "$work/tree/build/deb/build.log" && fail "the package build built the benchmark"
    package=$(ls "$work"/tree/build/deb/kelvaris_*.deb 2>/dev/null)
    [ -n "$package" ] || { fail "make deb made no package"; finish; }
    echo "Depends: $(dpkg-deb -f "$package" Depends)"
    dpkg-deb -f "$package" Depends | grep -q 'libc6 (>= ' || fail "libc6 without the version the program needs"
    lintian --pedantic -I "$package" >"$work/lintian.log" 2>&1
    cat "$work/lintian.log"
    grep -qE '^[EW]: ' "$work/lintian.log" && fail "lintian reports errors or warnings"
    ;;
  *) fail "no such case: $case" ;;
esac
[ $failures -eq 0 ] && ok "$case"
finish
