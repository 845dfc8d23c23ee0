#!/usr/bin/env bash
# Builds what the end-to-end tests need and runs them alone: the program under test (see
# scripts/program-under-test.sh), and the stand-in player and the driver from the Windows
# test build that Wine can run here (build/win-test-ARCH).
# Extra arguments pick scenarios by part of their name, e.g. scripts/e2e.sh capture;
# --build-only builds and runs nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
arch=$(scripts/wine-arch.sh)
build=build/win-test-$arch
program=$(scripts/program-under-test.sh)
cmake --preset "win-test-$arch" >/dev/null
cmake --build "$build" -j2 --target standin_player reelmark_e2e_driver
[ "${1:-}" = --build-only ] && exit 0
echo "end to end: $program"
if [ $# -eq 0 ]; then
  exec ctest --test-dir "$build" -R '^e2e$' --output-on-failure
fi
# The same prefix as the ctest run, which keeps its windows apart from other Wine programs.
export WINEPREFIX="$PWD/$build/wineprefix-e2e"
exec scripts/wine-run.sh "$build/tests/e2e/reelmark_e2e_driver.exe" \
  "$program" "$PWD/$build/tools/standin-player/standin-player.exe" "$@"
