#!/usr/bin/env bash
# Fails when a built Windows program imports anything but system DLLs: a
# saver that needs a compiler runtime DLL does not start on a clean Windows.
# Usage: check_imports.sh PROGRAM...
set -uo pipefail
allowed='^(ADVAPI32|GDI32|GLU32|KERNEL32|msvcrt|OPENGL32|USER32)\.dll$'
status=0
for program in "$@"; do
  while read -r dll; do
    if ! [[ $dll =~ $allowed ]]; then
      echo "$program imports $dll"
      status=1
    fi
  done < <(x86_64-w64-mingw32-objdump -p "$program" | sed -n 's/^\s*DLL Name: //p')
done
[ $status -eq 0 ] && echo "$# programs import only system DLLs"
exit $status
