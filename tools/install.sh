#!/usr/bin/env bash
# `make install` and `make uninstall` of the Linux program, as source
# installs go. install copies the program, its XScreenSaver settings file
# and its manual page under DESTDIR/PREFIX, stripped. It installs no
# packages and builds only the program, so after `make linux` it compiles
# nothing (`make linux && sudo make install` compiles nothing as root). It
# records every file and every folder it made in build/linux/installed.txt,
# from which uninstall removes them again (a folder only once it is empty).
# Usage: install.sh install PREFIX [DESTDIR] | install.sh uninstall
set -euo pipefail
cd "$(dirname "$0")/.."
record=build/linux/installed.txt

case $1 in
  install)
    prefix=$2 destdir=${3:-}
    [ -f build/linux/CMakeCache.txt ] || cmake --preset linux >/dev/null
    cmake --build build/linux --target kelvaris
    # The folders that are not there yet, each before the ones inside it.
    made=()
    for folder in libexec/xscreensaver share/xscreensaver/config share/man/man6; do
      missing=()
      path=$destdir$prefix/$folder
      while [ ! -d "$path" ]; do
        missing=("$path" "${missing[@]}")
        path=$(dirname "$path")
      done
      for path in "${missing[@]}"; do
        [[ " ${made[*]} " == *" $path "* ]] || made+=("$path")
      done
    done
    DESTDIR=$destdir cmake --install build/linux --prefix "$prefix" --strip
    # The manifest names the files without DESTDIR.
    { sed "s|^|$destdir|" build/linux/install_manifest.txt; echo; printf '%s\n' "${made[@]}" | tac; } | sed '/^$/d' >"$record"
    ;;
  uninstall)
    [ -f "$record" ] || { echo "nothing was installed from this tree ($record is missing)"; exit 1; }
    # Files first, then the folders made, innermost first.
    while read -r path; do
      if [ -d "$path" ]; then rmdir --ignore-fail-on-non-empty "$path"; else rm -f "$path"; fi
    done <"$record"
    rm -f "$record"
    ;;
  *)
    echo "usage: install.sh install PREFIX [DESTDIR] | install.sh uninstall"
    exit 1
    ;;
esac
