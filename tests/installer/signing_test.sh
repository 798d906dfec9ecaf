#!/usr/bin/env bash
# make dist with a signing certificate, as a maintainer runs it: a
# throwaway self-signed code-signing certificate is made on the spot; every
# signature in what ships must verify, the saver in the zip and the one the
# installer puts in system32 must be the signed saver, the installed
# uninstaller must be signed, SHA256SUMS must list every file, the files
# must be mode 644 and store the commit's time (built here under umask 077),
# and the signed saver must run under Wine and end with 0 on a key.
# Usage: signing_test.sh TOOLS_DIR WINE_STATE
set -uo pipefail
tools=$1 state=$2
source "$tools/wine-env.sh" "$state"
source "$(dirname "$0")/../support/test_lib.sh"
source "$(dirname "$0")/uninstall.sh"

started=$(date +%s)
work="$state/signing"
rm -rf "$work"
mkdir -p "$work"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Kelvaris test signer" \
  -addext extendedKeyUsage=codeSigning -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
(umask 077 && SIGN_CERT="$work/cert.pem" SIGN_KEY="$work/key.pem" KELVARIS_DIST_NO_DEB=1 "$tools/dist.sh" "$work/dist") \
  >/dev/null || { fail "make dist with a certificate"; exit 1; }
dist="$work/dist"
signed() { osslsigncode verify -CAfile "$work/cert.pem" -in "$1" 2>&1 | grep -q '^Signature verification: ok'; }

for file in "$dist/kelvaris.scr" "$dist"/kelvaris-*-setup.exe; do
  signed "$file" && ok "$(basename "$file") is signed" || fail "$(basename "$file"): no valid signature"
done
/usr/bin/python3 -c 'import sys, zipfile; sys.stdout.buffer.write(zipfile.ZipFile(sys.argv[1]).read("kelvaris.scr"))' \
  "$dist"/kelvaris-*.zip >"$work/from-zip.scr"
cmp -s "$work/from-zip.scr" "$dist/kelvaris.scr" && ok "the zip holds the signed saver" || fail "the zip holds another saver"
/usr/bin/python3 -c 'import sys, zipfile; sys.stdout.buffer.write(zipfile.ZipFile(sys.argv[1]).read("README.txt"))' \
  "$dist"/kelvaris-*.zip >"$work/README.txt"
[ "$(grep -c $'\r$' "$work/README.txt")" = "$(wc -l <"$work/README.txt")" ] &&
  grep -qF "$(basename "$dist"/kelvaris-*-setup.exe)" "$work/README.txt" &&
  ok "the zip's README has Windows line ends and names the installer" || fail "the zip's README"
(cd "$dist" && sha256sum --quiet -c SHA256SUMS) && ok "SHA256SUMS holds" || fail "SHA256SUMS"
listed=$(sed 's/^[0-9a-f]*  //' "$dist/SHA256SUMS")
[ "$listed" = "$(cd "$dist" && LC_ALL=C ls | grep -vx SHA256SUMS)" ] && ok "SHA256SUMS lists every file in byte order" ||
  fail "SHA256SUMS lists: $listed"
[ "$(stat -c %a "$dist"/* | sort -u)" = 644 ] && ok "every file is mode 644" || fail "modes: $(stat -c '%a %n' "$dist"/*)"
# The saver carries the commit's time, and so must every zip entry.
epoch=$(stat -c %Y "$dist/kelvaris.scr")
/usr/bin/python3 -c 'import sys, time, zipfile
want = time.gmtime(max(int(sys.argv[2]), 315532800))[:6]
want = want[:5] + (want[5] // 2 * 2,)  # a zip stores even seconds
sys.exit(any(e.date_time != want for e in zipfile.ZipFile(sys.argv[1]).infolist()))' "$dist"/kelvaris-*.zip "$epoch" &&
  ok "the zip stores the commit's time" || fail "the zip stores another time than the commit's"

system32="$WINEPREFIX/drive_c/windows/system32"
wine "$dist"/kelvaris-*-setup.exe /S </dev/null >/dev/null 2>&1 || fail "silent install exit code $?"
cmp -s "$system32/kelvaris.scr" "$dist/kelvaris.scr" && ok "the installer installs the signed saver" ||
  fail "system32 holds another saver"
# A time stored in the installer would be the saver's, the commit's.
[ "$(stat -c %Y "$system32/kelvaris.scr")" -ge "$started" ] && ok "the installer stores no file time" ||
  fail "the installed saver has a time from before the test"
signed "$uninstaller" && ok "the uninstaller is signed" || fail "the uninstaller: no valid signature"

if start_saver "$system32/kelvaris.scr"; then
  xdotool key a
  expect_end "$saver_pid" 0 "the signed saver runs, and a key"
else
  fail "the signed saver showed no window"
fi
uninstall
finish
