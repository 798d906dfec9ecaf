#!/usr/bin/env bash
# `make dist`: what a user downloads, in build/dist (or OUT_DIR): the bare
# saver, a zip of it with a short README for users, the installer, the
# Debian package of the Linux program (built by `make deb`), and
# SHA256SUMS over them all. With SIGN_CERT and SIGN_KEY the saver is signed
# before it goes into the zip and the installer, and the uninstaller and the
# installer as makensis builds them (tools/sign.sh); the checksums come last.
# Times stored in the files are SOURCE_DATE_EPOCH (the Makefile sets the
# commit's time), so two builds of one commit give the same files, unsigned.
# The builder's environment changes nothing: lists are in byte order and
# every file is mode 644, whatever the locale and the umask.
# KELVARIS_DIST_NO_DEB=1 leaves the Debian package out (for the tests).
# Usage: dist.sh [OUT_DIR]
set -euo pipefail
export LC_ALL=C
umask 022
cd "$(dirname "$0")/.."
version=$(sed -n 's/^project(Kelvaris VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
dist=$(realpath -m "${1:-build/dist}")
: "${SOURCE_DATE_EPOCH:=$(git log -1 --format=%ct)}"
signing=
if [ -n "${SIGN_CERT:-}" ] || [ -n "${SIGN_KEY:-}" ]; then
  [ -f "${SIGN_CERT:-}" ] && [ -f "${SIGN_KEY:-}" ] || { echo "SIGN_CERT and SIGN_KEY must both name PEM files"; exit 1; }
  signing=1
fi
rm -rf "$dist"
mkdir -p "$dist"
saver="$dist/kelvaris.scr"
cp build/windows/kelvaris.scr "$saver"
[ -z "$signing" ] || tools/sign.sh "$saver"
# The commit's time, wherever a tool reads the saver's file time.
touch -d "@$SOURCE_DATE_EPOCH" "$saver"

# The zip: fixed entry times and permissions, in a fixed order. The users'
# README with the real file names and Windows line ends, which every
# Notepad shows as lines.
python3 - "$dist/kelvaris-$version.zip" "$SOURCE_DATE_EPOCH" "$version" "$saver" installer/README.txt <<'ZIP'
import os, sys, time, zipfile
path, epoch, version, *files = sys.argv[1:]
stamp = time.gmtime(max(int(epoch), 315532800))[:6]  # a zip holds no time before 1980
with zipfile.ZipFile(path, "w") as z:
    for name in files:
        entry = zipfile.ZipInfo(os.path.basename(name), stamp)
        entry.compress_type = zipfile.ZIP_DEFLATED
        entry.external_attr = 0o644 << 16
        with open(name, "rb") as f:
            data = f.read()
        if name.endswith(".txt"):
            data = data.replace(b"@VERSION@", version.encode()).replace(b"\n", b"\r\n")
        z.writestr(entry, data)
ZIP

nsis=(-V2 -DVERSION="$version" -DSAVER="$saver" -DICON="$(pwd)/app/kelvaris.ico" -DOUTFILE="$dist/kelvaris-$version-setup.exe")
[ -z "$signing" ] || nsis+=(-DSIGN="$(pwd)/tools/sign.sh")
makensis "${nsis[@]}" installer/kelvaris.nsi >/dev/null

[ "${KELVARIS_DIST_NO_DEB:-}" = 1 ] || cp build/deb/kelvaris_"$version"_*.deb "$dist/"
chmod 644 "$dist"/*
(cd "$dist" && sha256sum -- * >SHA256SUMS)
ls -l "$dist"
