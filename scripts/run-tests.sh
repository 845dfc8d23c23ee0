#!/usr/bin/env bash
# Runs every test layer that `make test` built, shows each layer's own summary, then
# prints one closing line.
set -u
cd "$(dirname "$0")/.."
failed=0
passed=0
layer() {
  local title=$1 dir=$2 log
  log=$(mktemp)
  echo "== $title"
  if ctest --test-dir "$dir" -V --output-log "$log" >/dev/null; then
    passed=$((passed + 1)); verdict=ok
  else
    failed=$((failed + 1)); verdict=FAILED
    cat "$log"
  fi
  # The test programs' own summaries: googletest's, the end-to-end driver's, libFuzzer's.
  grep -E '^\s*([0-9]+: )?(\[  PASSED  \]|\[  FAILED  \]|[0-9]+ passed, [0-9]+ failed|Done [0-9]+ runs)' "$log" | sed 's/^/   /'
  grep -E 'tests passed|tests failed' "$log" | tail -1 | sed 's/^/   /'
  echo "-- $verdict"
  rm -f "$log"
}
# Both Windows test builds were compiled; the one Wine runs here is run.
ran=$(scripts/wine-arch.sh)
if [ "$ran" = i686 ]; then
  compiled=x86_64
  program="dist/reelmark.exe, the product"
else
  compiled=i686
  program="the 64-bit test build's reelmark.exe, standing in for dist/reelmark.exe (Wine here runs no 32-bit programs)"
fi
layer "unit tests, native (AddressSanitizer, UndefinedBehaviorSanitizer)" build/native
layer "unit and end-to-end tests, Windows build ($ran) under Wine; end to end on $program" "build/win-test-$ran"
layer "fuzz targets, bounded runs" build/fuzz
echo "Windows test builds: $ran compiled and run under Wine, $compiled compiled only"
echo "test layers: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
