#!/usr/bin/env bash
# run-fuzzer.sh BINARY SECONDS: fuzzes the Jet reader for SECONDS on one core from a corpus seeded
# with every sample database, then prints the executions and any crashes. Inputs that crash are
# copied to fuzz/crashes/, which the test suite replays; a campaign also starts by running them
# again under clang's sanitizers, which see more than the test suite's. FUZZ_RUNS=N stops after
# N executions.
set -euo pipefail

binary=${1:?usage: run-fuzzer.sh BINARY SECONDS}
seconds=${2:-600}
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
fixtures=${TARVOLYN_FIXTURES_DIR:-$root/tests/fixtures}
corpus=$root/build/fuzz/corpus
crashes=$here/crashes
mkdir -p "$corpus" "$crashes"

for file in "$fixtures"/jet3/*.mdb "$fixtures"/jet4/*.mdb; do
  cp -n "$file" "$corpus/seed-$(basename "$(dirname "$file")")-$(basename "$file")"
done
# No sample has a memo value in a user table: copies whose catalog reads LvProp (OLE) as a memo
# send inline, single-row and chained long values through the text path.
memo_seed() { # FIXTURE OFFSET-OF-LVPROP-TYPE
  local seed=$corpus/seed-memo-$(basename "$1")
  [ -e "$seed" ] && return
  cp "$fixtures/$1" "$seed"
  printf '\x0c' | dd of="$seed" bs=1 seek=$(($2)) conv=notrunc status=none
}
memo_seed jet3/access97-column-types.mdb 0x1137
memo_seed jet4/access2003-unicode-compression.mdb 0x2151
memo_seed jet4/access2000-id-text.mdb 0x2151

artifacts=$(mktemp -d)
log=$(mktemp)
trap 'rm -rf "$artifacts" "$log"' EXIT

# Inputs are cut to 128 kB (32 Jet 4 pages): that keeps the catalog and the user tables of most
# samples, and an input that size stays in the sanitizer's small-block allocator, which makes the
# run several times faster. A smaller quarantine saves page faults in the same way.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=16:max_malloc_fill_size=0}
status=0
started=$(date +%s)
"$binary" "$corpus" "$crashes" -dict="$here/jet4.dict" -max_total_time="$seconds" -runs="${FUZZ_RUNS:--1}" -max_len=131072 \
  -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/" >"$log" 2>&1 || status=$?
elapsed=$(($(date +%s) - started))

executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
found=0
for artifact in "$artifacts"/*; do
  [ -e "$artifact" ] || continue
  cp "$artifact" "$crashes/"
  found=$((found + 1))
done
echo "jet4_fuzz: ${executions:-?} executions in ${elapsed} s, $found crashing input(s)"
if [ "$found" -ne 0 ] || [ "$status" -ne 0 ]; then
  grep -E '^(==|SUMMARY|.*runtime error)' "$log" | head -20 || true
  echo "crashing inputs copied to $crashes" >&2
  exit 1
fi
