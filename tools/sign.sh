#!/usr/bin/env bash
# Authenticode-signs the Windows program FILE in place with the certificate
# and key in SIGN_CERT and SIGN_KEY (PEM files), time-stamped by the server
# at SIGN_TIMESTAMP_URL when one is given. Used by make dist, and by makensis
# for the installer and its uninstaller as it builds them.
# Usage: sign.sh FILE
set -euo pipefail
file=$1
timestamp=()
[ -z "${SIGN_TIMESTAMP_URL:-}" ] || timestamp=(-ts "$SIGN_TIMESTAMP_URL")
osslsigncode sign -certs "$SIGN_CERT" -key "$SIGN_KEY" -h sha256 -n "Kelvaris Screen Saver" \
  -i https://kelvaris.org/ "${timestamp[@]}" -in "$file" -out "$file.signed" >/dev/null
mv "$file.signed" "$file"
