#!/usr/bin/env bash
# `make install` and `make uninstall` of the Linux programs, as source
# installs go, under DESTDIR/PREFIX.
# install builds only the programs, so that after `make linux` it compiles
# nothing (`make linux && sudo make install` compiles nothing as root), and
# installs them stripped with the XScreenSaver settings file and the manual
# pages.
# uninstall removes the files the build rules install, as listed when the
# tree is configured (build/linux/installed_files.txt, or, where that tree
# is gone, a scratch tree's), and then the folders of XScreenSaver's own
# layout and share/kelvaris left empty; folders other programs share, such
# as share/man/man6, stay. What is already gone is passed over in silence.
# Run as root in a user's tree, neither leaves a file owned by root in it.
# Usage: install.sh install|uninstall PREFIX [DESTDIR]
set -euo pipefail
cd "$(dirname "$0")/.."
action=$1 prefix=$2 destdir=${3:-}
# Only build/linux is its own: the package trees beside it may be being
# packed, and a change of owner under tar is a change it reports.
[ "$(id -u)" -ne 0 ] ||
  trap 'chown --from=0:0 --reference=. build 2>/dev/null; chown -R --from=0:0 --reference=. build/linux 2>/dev/null
    true' EXIT

case $action in
  install)
    [ -f build/linux/CMakeCache.txt ] || cmake --preset linux >/dev/null
    cmake --build build/linux --target kelvaris kelvaris-wayland
    DESTDIR=$destdir cmake --install build/linux --prefix "$prefix" --strip
    ;;
  uninstall)
    list=build/linux/installed_files.txt
    if [ ! -f "$list" ]; then
      scratch=$(mktemp -d)
      trap 'rm -rf "$scratch"' EXIT
      cmake -S . -B "$scratch" -DKELVARIS_LINUX=ON -DKELVARIS_LINUX_TESTS=OFF >/dev/null
      list=$scratch/installed_files.txt
    fi
    while read -r file; do
      rm -f "$destdir$prefix/$file"
      folder=$(dirname "$file")
      while [[ $folder == *xscreensaver* || $folder == share/kelvaris ]] && rmdir "$destdir$prefix/$folder" 2>/dev/null; do
        folder=$(dirname "$folder")
      done
    done <"$list"
    ;;
  *)
    echo "usage: install.sh install|uninstall PREFIX [DESTDIR]"
    exit 1
    ;;
esac
