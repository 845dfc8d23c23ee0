#!/usr/bin/env bash
# Proves the end-to-end tests stable: runs them RUNS times in a row (default 5) while one
# core is kept busy (stress-ng --cpu 1 where installed, else a busy shell loop), and stops
# at the first failing run. Not part of `make test`.
#   scripts/e2e-repeat.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
# Built before the load starts, so the runs time only the tests.
scripts/e2e.sh --build-only
if command -v stress-ng >/dev/null; then
  stress-ng --cpu 1 --quiet &
  load="stress-ng --cpu 1"
else
  ( while :; do :; done ) &
  load="a busy shell loop"
fi
busy=$!
trap 'kill "$busy" 2>/dev/null; wait "$busy" 2>/dev/null || true' EXIT
echo "one core kept busy by $load (process $busy)"
for run in $(seq 1 "$runs"); do
  started=$(date +%s)
  if ! scripts/e2e.sh >"build/e2e-repeat-$run.log" 2>&1; then
    cat "build/e2e-repeat-$run.log"
    echo "end-to-end run $run of $runs FAILED (log: build/e2e-repeat-$run.log)"
    exit 1
  fi
  echo "end-to-end run $run of $runs passed ($(( $(date +%s) - started )) s)"
done
echo "end to end: $runs of $runs runs passed with one core busy"
