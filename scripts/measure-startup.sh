#!/usr/bin/env bash
# Measures the product's start-up under Wine: from the start of the process to the shown,
# filled window, with no favourites and with 9,999, beside two floors (tests/startup-floor):
# a bare program that only shows a window with a one-row list box and a tray icon under the
# same common controls, and the plainest program that shows Reelmark's own window (its
# twelve controls, the header row, a tray icon). Medians of RUNS starts each (default 9),
# taking turns. Uses the program the end-to-end tests run and their driver.
#   scripts/measure-startup.sh [RUNS] [--one-cpu]
# --one-cpu runs everything, the Wine and X servers included, on one processor: each of
# Wine's many trips to its server then costs the same in every start, where otherwise it
# costs three times as much whenever the system runs the server on the other processor.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=9
pin=()
for arg in "$@"; do
  case $arg in
    --one-cpu) pin=(taskset -c 0) ;;
    *) runs=$arg ;;
  esac
done
arch=$(scripts/wine-arch.sh)
build=build/win-test-$arch
# The product where Wine runs 32-bit programs, else its 64-bit twin (the script says so).
exe=$(scripts/program-under-test.sh)
cmake --preset "win-test-$arch" >/dev/null
cmake --build "$build" -j2 --target standin_player reelmark_e2e_driver bare_window same_window >/dev/null
export WINEPREFIX="$PWD/$build/wineprefix-e2e"
# A Wine server left from before would keep its own processor.
if [ ${#pin[@]} -gt 0 ]; then wineserver -w 2>/dev/null || true; fi
echo "measuring $exe beside the two floors, $arch ($(nproc) cores${pin:+, on one}, $(wine --version 2>/dev/null || echo wine))"
exec "${pin[@]}" scripts/wine-run.sh "$build/tests/e2e/reelmark_e2e_driver.exe" --measure-startup \
  "$exe" "$PWD/$build/tools/standin-player/standin-player.exe" \
  "$PWD/$build/tests/startup-floor/bare_window.exe" "$PWD/$build/tests/startup-floor/same_window.exe" "$runs"
