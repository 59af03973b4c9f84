#!/usr/bin/env bash
# Runs the display tests of the dev build N times in a row (each run on the private Xvfb
# of its CTest fixture), to catch tests that fail only now and then. Prints each run's
# summary and its failing tests.
#   scripts/repeat-display.sh [runs, default 20]
set -uo pipefail
cd "$(dirname "$0")/.."
runs="${1:-20}"
failed=0
for i in $(seq 1 "${runs}"); do
  start=$(date +%s)
  out="$(ctest --preset dev -L display -j 1 2>&1)" || failed=$((failed + 1))
  echo "run ${i}: $(grep -E 'tests passed' <<<"${out}") ($(($(date +%s) - start)) s)"
  grep -E '\(Failed\)|\(Timeout\)|\(SEGFAULT\)|\(Subprocess|Not Run' <<<"${out}" | sed "s/^/run ${i}: /"
done
echo "${failed} of ${runs} runs had a failure"
[ "${failed}" -eq 0 ]
