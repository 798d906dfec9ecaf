#!/usr/bin/env bash
# The downloads do not depend on the builder's environment, checked cheaply
# inside the test run (`make check-reproducible` is the whole check): the
# saver, the zip and the installer made by tools/dist.sh twice from this
# build, the second time under a German locale (made here with localedef),
# another time zone and umask 077, must be the same bytes, each file mode
# 644, and SHA256SUMS the same.
# Usage: reproducible_test.sh TOOLS_DIR WORK_DIR
set -uo pipefail
tools=$1 work=$2
source "$(dirname "$0")/../support/test_lib.sh"
rm -rf "$work"
mkdir -p "$work/locales"
localedef -i de_DE -f UTF-8 "$work/locales/de_DE.UTF-8" 2>/dev/null || { fail "localedef made no German locale"; finish; }
(umask 022 && KELVARIS_DIST_NO_DEB=1 TZ=UTC "$tools/dist.sh" "$work/first") >/dev/null || fail "the first dist.sh"
(umask 077 && KELVARIS_DIST_NO_DEB=1 LOCPATH="$work/locales" LC_ALL=de_DE.UTF-8 TZ=Pacific/Chatham \
  "$tools/dist.sh" "$work/second") >/dev/null || fail "the second dist.sh"
for dir in first second; do
  expect "$(stat -c %a "$work/$dir"/* | sort -u | tr '\n' ' ')" "644 " "every file of the $dir build is mode 644"
done
diff -r "$work/first" "$work/second" >/dev/null && ok "both builds gave the same files" ||
  fail "the builds differ: $(cd "$work" && cmp first/SHA256SUMS second/SHA256SUMS; diff first/SHA256SUMS second/SHA256SUMS)"
finish
