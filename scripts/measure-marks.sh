#!/usr/bin/env bash
# Measures the marks of favourites whose film is not there under Wine, as a new user meets
# them (see tests/e2e/measure_marks.h): 9,999 favourites marked after the window shows, the
# rows of films put back turning normal after a volume message, the window's answers
# meanwhile; then, with the test build of the program whose tester finds one root never
# answering, the 9,899 favourites off that root, and the end after the save. Not a test.
#   scripts/measure-marks.sh [--one-cpu]
set -euo pipefail
cd "$(dirname "$0")/.."
pin=()
[ "${1:-}" = --one-cpu ] && pin=(taskset -c 0)
arch=$(scripts/wine-arch.sh)
build=build/win-test-$arch
exe=$(scripts/program-under-test.sh)
cmake --preset "win-test-$arch" >/dev/null
cmake --build "$build" -j2 --target reelmark standin_player reelmark_e2e_driver >/dev/null
export WINEPREFIX="$PWD/$build/wineprefix-e2e"
if [ ${#pin[@]} -gt 0 ]; then wineserver -w 2>/dev/null || true; fi
driver=("${pin[@]}" scripts/wine-run.sh "$build/tests/e2e/reelmark_e2e_driver.exe" --measure-marks)
standin="$PWD/$build/tools/standin-player/standin-player.exe"
echo "the marks of $exe, $arch ($(nproc) cores${pin:+, on one})"
"${driver[@]}" "$exe" "$standin"
echo "the same program's test build ($build), one share never answering"
"${driver[@]}" "$PWD/$build/src/win32/reelmark.exe" "$standin" '\\dead\share\'
