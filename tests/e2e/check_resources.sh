#!/usr/bin/env bash
# Decompiles the built saver's resources and compares them, without the
# icon pixels, with the expected script. Usage: check_resources.sh SCR EXPECTED
set -euo pipefail
actual=$(x86_64-w64-mingw32-windres -i "$1" -O rc | grep -v -E '^\s*0x|^\s*$')
if ! diff -u "$2" <(printf '%s\n' "$actual"); then
  echo "resources of $1 differ from $2"
  exit 1
fi
echo "resources as expected"
