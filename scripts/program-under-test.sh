#!/usr/bin/env bash
# Builds the reelmark.exe that the end-to-end tests and the demo run under Wine and prints
# its path. Where Wine runs 32-bit programs that is the product itself, dist/reelmark.exe
# as `make dist` builds and checks it. Elsewhere the 64-bit test build of the same sources
# stands in for it (a note on stderr says so). tests/e2e/CMakeLists.txt follows the same rule.
set -euo pipefail
cd "$(dirname "$0")/.."
arch=$(scripts/wine-arch.sh)
if [ "$arch" = i686 ]; then
  make --no-print-directory dist >&2
  echo "$PWD/dist/reelmark.exe"
else
  cmake --preset win-test-x86_64 >/dev/null
  cmake --build build/win-test-x86_64 -j2 --target reelmark >&2
  echo "note: Wine here runs no 32-bit programs; the 64-bit build stands in for dist/reelmark.exe" >&2
  echo "$PWD/build/win-test-x86_64/src/win32/reelmark.exe"
fi
