#!/usr/bin/env bash
# Fails when a built Windows program imports anything but system DLLs: a
# saver that needs a compiler runtime DLL does not start on a clean Windows.
# The saver itself (the first program) must not import OpenGL or GLU either:
# it loads them from the system folder, where no planted copy can be; the
# test programs may. The saver is also checked to be stripped, as it ships.
# Usage: check_imports.sh SAVER PROGRAM...
set -uo pipefail
system='ADVAPI32|GDI32|KERNEL32|msvcrt|USER32'
status=0
# Checks the imports of program $1 against the pattern $2.
check() {
  while read -r dll; do
    if ! [[ $dll =~ $2 ]]; then
      echo "$1 imports $dll"
      status=1
    fi
  done < <(x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p')
}
check "$1" "^($system)\.dll$"
if x86_64-w64-mingw32-objdump -h "$1" | grep -q ' \.debug_'; then
  echo "$1 carries debug sections"
  status=1
fi
for program in "${@:2}"; do check "$program" "^($system|GLU32|OPENGL32)\.dll$"; done
[ $status -eq 0 ] && echo "$# programs import only system DLLs; the saver neither OpenGL nor GLU, and it is stripped"
exit $status
