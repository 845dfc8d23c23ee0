#!/usr/bin/env bash
# Measures the product's start-up under Wine: from the start of the process to the shown,
# filled window, with no favourites and with 9,999, side by side (medians of RUNS starts
# each, default 5). Uses dist/reelmark.exe (make dist) and the end-to-end driver.
#   scripts/measure-startup.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/e2e-win
arch=$(scripts/wine-arch.sh)
exe=dist/reelmark.exe
if [ "$arch" != i686 ]; then
  # Wine here runs only 64-bit programs: the 64-bit build of the same sources stands in.
  echo "this machine cannot run 32-bit programs; measuring the 64-bit build instead of $exe"
  exe=$build/src/win32/reelmark.exe
fi
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="cmake/toolchain-mingw-$arch.cmake" >/dev/null
cmake --build "$build" -j2 --target reelmark standin_player reelmark_e2e_driver >/dev/null
export WINEPREFIX="$PWD/$build/wineprefix-e2e"
echo "measuring $exe ($(nproc) cores, $(wine --version 2>/dev/null || echo wine))"
exec scripts/wine-run.sh "$build/tests/e2e/reelmark_e2e_driver.exe" --measure-startup \
  "$PWD/$exe" "$PWD/$build/tools/standin-player/standin-player.exe" "${1:-5}"
