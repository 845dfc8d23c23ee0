#!/usr/bin/env bash
# Measures how quickly the product answers while a person holds a key in its list: with
# 9,999 favourites, row 5000 selected, s held down for 4 s (a key press every 30 ms), then
# w; a second thread of the end-to-end driver times the window's answer to WM_NULL every
# few milliseconds and prints the slowest, the 99th percentile and the median. The program
# ends with 走人, so nothing is saved. Not a test.
#   scripts/measure-responsiveness.sh [--slow-flush MS] [--one-cpu]
# --slow-flush MS: every flush to the disk in the program's process takes MS ms longer, as
# on a slow disk (tests/slow-disk, preloaded, acting in the program's process alone); the
# script fails when the library was not in the program or slowed no flush.
# --one-cpu: everything on one processor, the Wine and X servers included.
set -euo pipefail
cd "$(dirname "$0")/.."
usage() { echo "usage: scripts/measure-responsiveness.sh [--slow-flush MS] [--one-cpu]" >&2; exit 2; }
slow_ms=
pin=()
while [ $# -gt 0 ]; do
  case $1 in
    --one-cpu) pin=(taskset -c 0) ;;
    --slow-flush) [ $# -ge 2 ] || usage; slow_ms=$2; shift ;;
    --slow-flush=*) slow_ms=${1#*=} ;;
    *) usage ;;
  esac
  shift
done
[ -z "$slow_ms" ] || [[ $slow_ms =~ ^[0-9]+$ ]] || usage

arch=$(scripts/wine-arch.sh)
build=build/win-test-$arch
exe=$(scripts/program-under-test.sh)
cmake --preset "win-test-$arch" >/dev/null
cmake --build "$build" -j2 --target standin_player reelmark_e2e_driver >/dev/null
export WINEPREFIX="$PWD/$build/wineprefix-e2e"

preload=()
log=
if [ -n "$slow_ms" ]; then
  # Wine starts every program with the Unix environment of the one that started it, so
  # the library goes into every process of the run, each of its own word size ($LIB: the
  # loader picks lib/i386-linux-gnu or lib/x86_64-linux-gnu), and slows only the program's
  # flushes.
  lib_dir=$PWD/build/slow-disk
  src=tests/slow-disk/slow_flush.c
  builds=(x86_64-linux-gnu:-m64)
  if [ "$arch" = i686 ]; then
    builds+=(i386-linux-gnu:-m32)
    if ! dpkg-query -W -f='${Status}' gcc-multilib 2>/dev/null | grep -q 'install ok installed'; then
      as_root=()
      [ "$(id -u)" -ne 0 ] && as_root=(sudo)
      echo "measure-responsiveness: installing gcc-multilib (gcc -m32)" >&2
      export DEBIAN_FRONTEND=noninteractive
      "${as_root[@]}" apt-get update -qq
      # --no-remove: never at the cost of another package.
      "${as_root[@]}" apt-get install -y -qq --no-install-recommends --no-remove gcc-multilib >/dev/null
    fi
  fi
  for b in "${builds[@]}"; do
    lib=$lib_dir/lib/${b%%:*}/slow-flush.so
    if [ ! -f "$lib" ] || [ "$src" -nt "$lib" ]; then
      mkdir -p "$(dirname "$lib")"
      gcc "${b#*:}" -shared -fPIC -O2 -Wall -Wextra -o "$lib" "$src" -ldl
    fi
  done
  log=$lib_dir/slow-flush.log
  : > "$log"
  preload=(env "LD_PRELOAD=$lib_dir/\$LIB/slow-flush.so" REELMARK_SLOW_FLUSH_PROGRAM="$(basename "$exe")"
           REELMARK_SLOW_FLUSH_MS="$slow_ms" REELMARK_SLOW_FLUSH_LOG="$log")
fi

# A Wine server left from before would keep its own processor.
if [ ${#pin[@]} -gt 0 ]; then wineserver -w 2>/dev/null || true; fi
echo "measuring the answers of $exe while keys are held, $arch ($(nproc) cores${pin:+, on one}${slow_ms:+, flushes $slow_ms ms slower}, $(wine --version 2>/dev/null || echo wine))"
set +e
"${pin[@]}" "${preload[@]}" scripts/wine-run.sh "$build/tests/e2e/reelmark_e2e_driver.exe" \
  --measure-responsiveness "$exe" "$PWD/$build/tools/standin-player/standin-player.exe"
status=$?
set -e

if [ -n "$slow_ms" ]; then
  # The library notes its load into the program's process and each flush it slowed there.
  program=$(basename "$exe")
  loads=$(grep -c '^loaded ' "$log" || true)
  slowed=$(grep -c '^slowed ' "$log" || true)
  echo "slow disk: loaded into $program's process ($loads loads), $slowed flushes there slowed by $slow_ms ms:"
  { grep '^slowed ' "$log" || true; } | sed 's/.*: //' | sort | uniq -c | sed 's/^ */  flushed /'
  if [ "$loads" -eq 0 ]; then
    echo "FAIL: the slow-flush library was not in $program's process; nothing was slowed (see $log)" >&2
    exit 1
  fi
  if [ "$slowed" -eq 0 ]; then
    echo "FAIL: the slow-flush library slowed no flush of $program (see $log)" >&2
    exit 1
  fi
fi
exit "$status"
