#!/usr/bin/env bash
# Runs every test layer that `make test` built, then prints one closing line.
set -u
cd "$(dirname "$0")/.."
failed=0
layer() {
  echo "== $1"
  shift
  if "$@"; then echo "-- ok"; else echo "-- FAILED"; failed=$((failed + 1)); fi
}
layer "unit tests, native (AddressSanitizer, UndefinedBehaviorSanitizer)" \
  ctest --test-dir build/native --output-on-failure
layer "unit and end-to-end tests, Windows build ($(cat build/wine-arch)) under Wine" \
  ctest --test-dir build/win-test --output-on-failure
layer "fuzz targets, bounded runs" ctest --test-dir build/fuzz --output-on-failure
passed=$((3 - failed))
echo "layers: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
