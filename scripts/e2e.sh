#!/usr/bin/env bash
# Builds what the end-to-end tests need and runs them alone: the Windows build Wine can
# run here (in build/e2e-win), Reelmark and the stand-in player worked by the driver.
# Extra arguments pick scenarios by part of their name, e.g. scripts/e2e.sh capture.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/e2e-win
arch=$(scripts/wine-arch.sh)
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="cmake/toolchain-mingw-$arch.cmake" >/dev/null
cmake --build "$build" -j2 --target reelmark standin_player reelmark_e2e_driver
if [ $# -eq 0 ]; then
  exec ctest --test-dir "$build" -R '^e2e$' --output-on-failure
fi
# The same prefix as the ctest run, which keeps its windows apart from other Wine programs.
export WINEPREFIX="$PWD/$build/wineprefix-e2e"
exec scripts/wine-run.sh "$build/tests/e2e/reelmark_e2e_driver.exe" \
  "$PWD/$build/src/win32/reelmark.exe" "$PWD/$build/tools/standin-player/standin-player.exe" "$@"
