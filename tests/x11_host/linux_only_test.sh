#!/usr/bin/env bash
# The Linux program alone, as a Linux user or a distribution builds it: in a
# copy of the sources where the MinGW tools, Wine and makensis cannot be run
# (each is shadowed on PATH by a stand-in that notes the call and fails).
#   build       (the fixture) `make linux`, `make install` into a stage and
#               `make deb`, each of which must succeed
#   no-windows  nothing of the Windows side was called or built
#   install     `make install` compiled nothing after `make linux`, left no
#               file of root's in a tree root does not own, installed every
#               file, and the manual page passes mandoc's lint
#   uninstall   `make uninstall` takes back what two installs put there,
#               from the build rules alone, and only that; again, quietly
#   package     the package build ran the unit tests and built none of the
#               program's other tests; the package depends on the libc it
#               needs, and lintian finds no error and no warning in it
#   layouts     Fedora's layout as an RPM that rpmlint passes; Arch's as its
#               configure line lays it out, without GTest
# Usage: linux_only_test.sh CASE SOURCE_DIR WORK_DIR
set -uo pipefail
case=$1 source_dir=$2 work=$3
source "$(dirname "$0")/../support/test_lib.sh"
in_tree() { PATH="$work/stand-ins:$PATH" make -C "$work/tree" "$@"; }
files=(libexec/xscreensaver/kelvaris share/xscreensaver/config/kelvaris.xml share/man/man6/kelvaris.6
       bin/kelvaris-wayland share/man/man6/kelvaris-wayland.6 share/kelvaris/kelvaris-wayland-idle.desktop)

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
    # As root, installed from a tree nobody owns (as `sudo make install` in
    # a user's tree); what root then owns in its build tree is noted here,
    # while no other case uses the tree.
    [ "$(id -u)" -ne 0 ] || chown 65534:65534 "$work/tree"
    in_tree install DESTDIR="$work/stage" PREFIX=/usr >"$work/install.log" 2>&1 ||
      { fail "make install"; tail -n 30 "$work/install.log"; }
    find "$work/tree/build" -user 0 >"$work/root-owned"
    chown --reference="$work" "$work/tree"
    in_tree deb >>"$work/make.log" 2>&1 || { fail "make deb"; tail -n 30 "$work/make.log"; }
    echo "make linux install deb: $(($(date +%s) - start)) s"
    ;;
  no-windows)
    [ -s "$work/calls" ] && fail "Windows tools were called: $(cat "$work/calls")"
    ls -d "$work"/tree/build/windows* 2>/dev/null && fail "a Windows build tree was made"
    ;;
  install)
    grep -E 'Building|setup:' "$work/install.log" && fail "make install built or set up something after make linux"
    expect "$(head -n 3 "$work/root-owned")" "" "make install as root left no file of root's in the build tree"
    for file in "${files[@]}"; do
      [ -f "$work/stage/usr/$file" ] || fail "make install did not install $file"
    done
    for page in kelvaris.6 kelvaris-wayland.6; do
      mandoc -T lint -W warning "$work/stage/usr/share/man/man6/$page" || fail "mandoc finds fault with $page"
    done
    ;;
  uninstall)
    # Installed twice into a stage of its own (the other cases keep theirs),
    # beside another hack's settings file and manual page; uninstalled from
    # the tree once its build tree is gone, and then again.
    stage="$work/uninstall-stage"
    rm -rf "$stage"
    for _ in 1 2; do in_tree install DESTDIR="$stage" PREFIX=/usr >/dev/null 2>&1 || fail "make install"; done
    [ -f "$stage/usr/${files[0]}" ] || fail "make install did not install ${files[0]}"
    echo other >"$stage/usr/share/xscreensaver/config/other.xml"
    echo other >"$stage/usr/share/man/man6/other.6"
    rm -rf "$work/tree/build/linux"
    in_tree uninstall DESTDIR="$stage" PREFIX=/usr >"$work/uninstall.log" 2>&1 || fail "make uninstall: $(cat "$work/uninstall.log")"
    expect "$(cd "$stage/usr" && find . -type f -o -type d -empty | sort)" "./bin
./libexec
./share/man/man6/other.6
./share/xscreensaver/config/other.xml" "make uninstall left only the other files and the shared empty folders"
    expect "$(in_tree -s --no-print-directory uninstall DESTDIR="$stage" PREFIX=/usr 2>&1; echo "status $?")" "status 0" \
      "a second make uninstall is quiet"
    ;;
  package)
    grep -q '100% tests passed' "$work/tree/build/deb/build.log" || fail "the package build ran no unit tests"
    grep -q virtual_pointer "$work/tree/build/deb/build.log" && fail "the package build built the program's tests"
    package=$(ls "$work"/tree/build/deb/kelvaris_*.deb 2>/dev/null)
    [ -n "$package" ] || { fail "make deb made no package"; finish; }
    echo "Depends: $(dpkg-deb -f "$package" Depends)"
    dpkg-deb -f "$package" Depends | grep -q 'libc6 (>= ' || fail "libc6 without the version the program needs"
    lintian --pedantic -I "$package" >"$work/lintian.log" 2>&1
    cat "$work/lintian.log"
    grep -qE '^[EW]: ' "$work/lintian.log" && fail "lintian reports errors or warnings"
    ;;
  layouts)
    # Fedora's layout as `make rpm` packs it, and Arch's from the configure
    # line packagers are given (which must not need GTest): the files a
    # configured tree installs are listed before anything is built, and the
    # uninstall case holds `make install` to that list.
    in_tree rpm >"$work/rpm.log" 2>&1 || fail "make rpm: $(tail -n 20 "$work/rpm.log")"
    package=$(ls "$work"/tree/build/rpm/RPMS/*/kelvaris-*.rpm)
    expect "$(rpm -qlp "$package" | grep -v build-id)" "/usr/bin/kelvaris-wayland
/usr/libexec/xscreensaver/kelvaris
/usr/share/kelvaris
/usr/share/kelvaris/kelvaris-wayland-idle.desktop
/usr/share/licenses/kelvaris-0.1.0
/usr/share/licenses/kelvaris-0.1.0/LICENSE
/usr/share/man/man6/kelvaris-wayland.6.gz
/usr/share/man/man6/kelvaris.6.gz
/usr/share/xscreensaver/config/kelvaris.xml
/usr/share/xscreensaver/hacks.conf.d/kelvaris.conf" "the RPM's files"
    rpmlint -r "$work/tree/rpm/kelvaris.rpmlintrc" "$package" >"$work/rpmlint.log" 2>&1
    grep -E ': [EW]: ' "$work/rpmlint.log" && fail "rpmlint reports errors or warnings"
    rm -rf "$work/arch" "$work/wlr-protocols"
    # Arch's wlroots protocol descriptions, found through their pkg-config file.
    mkdir -p "$work/wlr-protocols/pc"
    cp -r "$(dirname "$(compgen -G '/usr/share/cargo/registry/wayland-protocols-*/wlr-protocols/unstable')")" \
      "$work/wlr-protocols/share"
    printf 'pkgdatadir=%s\nName: wlr-protocols\nDescription: -\nVersion: 1\n' "$work/wlr-protocols/share" \
      >"$work/wlr-protocols/pc/wlr-protocols.pc"
    PKG_CONFIG_PATH="$work/wlr-protocols/pc" cmake -S "$work/tree" -B "$work/arch" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_INSTALL_PREFIX=/usr \
      -DKELVARIS_LINUX=ON -DKELVARIS_LINUX_TESTS=OFF -DKELVARIS_HACK_DIR=lib/xscreensaver \
      -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON >"$work/arch.log" 2>&1 ||
      fail "the Arch layout's configure: $(tail -n 20 "$work/arch.log")"
    expect "$(sed -n 's/^KELVARIS_WLR_PROTOCOLS:PATH=//p' "$work/arch/CMakeCache.txt")" \
      "$work/wlr-protocols/share/unstable" "the wlroots protocols found through pkg-config"
    expect "$(sort "$work/arch/installed_files.txt")" "bin/kelvaris-wayland
lib/xscreensaver/kelvaris
share/kelvaris/kelvaris-wayland-idle.desktop
share/man/man6/kelvaris-wayland.6
share/man/man6/kelvaris.6
share/xscreensaver/config/kelvaris.xml" "the Arch layout's files"
    ;;
  *) fail "no such case: $case" ;;
esac
[ $failures -eq 0 ] && ok "$case"
finish
