#!/usr/bin/env bash
# `make slips BASE=<commit>`: lets slips drawn from the change since BASE
# test the tests. The draw (shared/tools/diff-mutants.py, from the
# workplace's shared tools) takes COUNT lines the change added to the
# product and breaks each by a fixed rule; each slip is then run against the
# tests tests/slip-map.tsv names for its file (shared/tools/mutants.sh),
# and the share caught is printed last. The slips are kept in
# build/slips.txt, the verdicts in build/slips.log.
# Usage: slips.sh BASE [COUNT]
set -euo pipefail
cd "$(dirname "$0")/.."
base=${1:?usage: make slips BASE=<commit> [SLIPS=40]}
count=${2:-40}
tools=${KELVARIS_SLIP_TOOLS:-../shared/tools}
for tool in diff-mutants.py mutants.sh; do
  [ -x "$tools/$tool" ] || [ -f "$tools/$tool" ] ||
    { echo "slips: $tools/$tool is missing; set KELVARIS_SLIP_TOOLS to the folder that holds it"; exit 1; }
done
python3 "$tools/diff-mutants.py" "$base" tests/slip-map.tsv "$count" >build/slips.txt
bash "$tools/mutants.sh" build/slips.txt | tee build/slips.log
