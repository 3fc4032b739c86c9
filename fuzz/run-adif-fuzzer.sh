#!/usr/bin/env bash
# run-adif-fuzzer.sh BINARY SECONDS: fuzzes the ADIF log parser for SECONDS on one core from the
# seeds in fuzz/adif_seeds/ and the crashes found before. Crashing inputs are copied to
# fuzz/adif_crashes/, which the test suite replays (station.logs, AdifCrashReplay).
set -euo pipefail

binary=${1:?usage: run-adif-fuzzer.sh BINARY SECONDS}
seconds=${2:-600}
here=$(cd "$(dirname "$0")" && pwd)
corpus=$(dirname "$here")/build/fuzz/adif-corpus
crashes=$here/adif_crashes
mkdir -p "$corpus"
cp -n "$here"/adif_seeds/* "$corpus/"

artifacts=$(mktemp -d)
log=$(mktemp)
trap 'rm -rf "$artifacts" "$log"' EXIT
status=0
"$binary" "$corpus" -dict="$here/adif.dict" -max_total_time="$seconds" -runs="${FUZZ_RUNS:--1}" -max_len=65536 \
  -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/" >"$log" 2>&1 || status=$?

executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
found=$(find "$artifacts" -type f | wc -l)
find "$artifacts" -type f -exec cp {} "$crashes/" \;
echo "adif_fuzz: ${executions:-?} executions in ${seconds} s at most, $found crashing input(s)"
if [ "$found" -ne 0 ] || [ "$status" -ne 0 ]; then
  grep -E '^(==|SUMMARY|.*runtime error)' "$log" | head -20 || true
  echo "crashing inputs copied to $crashes" >&2
  exit 1
fi
