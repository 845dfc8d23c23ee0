#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build, run and test Reelmark.
# Idempotent: when everything is present it changes nothing and prints nothing.
set -euo pipefail

need=()
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

# wine32 runs the 32-bit product where the kernel runs 32-bit programs; wine64 and the
# x86_64 cross compiler serve machines where it does not (see scripts/wine-arch.sh).
pkgs=(cmake make g++ clang libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev
      g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine32:i386 wine64
      xvfb xauth x11-utils fonts-wqy-microhei imagemagick)
for p in "${pkgs[@]}"; do have_pkg "$p" || need+=("$p"); done
[ ${#need[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -ne 0 ] && as_root=(sudo)
echo "bootstrap: installing ${need[*]}" >&2
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${as_root[@]}" dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
