#!/usr/bin/env bash
# check-fixtures.sh: the Access-written sample files the tests read are all in tests/fixtures/ and
# unchanged. A missing or altered one is named, and the run stops before any test.
set -euo pipefail

fixtures=$(cd "$(dirname "$0")/../tests/fixtures" && pwd)
cd "$fixtures"
status=0
while read -r sum file; do
  if [ ! -f "$file" ]; then
    echo "tests/fixtures/$file is missing (see tests/fixtures/SOURCES.md for where it comes from)" >&2
    status=1
  elif [ "$(sha256sum "$file" | cut -d' ' -f1)" != "$sum" ]; then
    echo "tests/fixtures/$file differs from the sample file listed in tests/fixtures/SHA256SUMS" >&2
    status=1
  fi
done <SHA256SUMS
exit $status
