#!/usr/bin/env bash
# Copies the sources as they stand (committed or not) into DIR, without
# build trees: from a git checkout its files, from a release tarball, which
# has no .git, everything but build/.
# Usage: copy-sources.sh DIR
set -euo pipefail
cd "$(dirname "$0")/.."
mkdir -p "$1"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files -z --cached --others --exclude-standard | xargs -0 cp --parents -t "$1"
else
  tar -c --exclude=./build . | tar -x -C "$1"
fi
