#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build, run and test Reelmark.
# Idempotent: when everything is present it changes nothing and prints nothing.
set -euo pipefail

need=()
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

# wine32 runs the 32-bit product where the kernel runs 32-bit programs; wine64 and the
# x86_64 cross compiler serve machines where it does not (see scripts/wine-arch.sh).
# fonts-wine holds the symbol font of the windows' caption buttons (see scripts/demo.sh).
pkgs=(cmake make g++ clang libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev
      g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine32:i386 wine64
      xvfb xauth x11-utils fonts-wqy-microhei fonts-wine imagemagick locales)
for p in "${pkgs[@]}"; do have_pkg "$p" || need+=("$p"); done
# Wine names files in the Linux locale's character set: with zh_CN.UTF-8 generated, a
# program under Wine can create and open files with Chinese names and receives Chinese
# command lines intact (the Wine runs set LC_ALL=zh_CN.UTF-8, see scripts/wine-env.sh).
have_locale() { locale -a 2>/dev/null | grep -qix 'zh_CN\.utf-\?8'; }
[ ${#need[@]} -eq 0 ] && have_locale && exit 0

as_root=()
[ "$(id -u)" -ne 0 ] && as_root=(sudo)
if [ ${#need[@]} -gt 0 ]; then
  echo "bootstrap: installing ${need[*]}" >&2
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${as_root[@]}" dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${as_root[@]}" apt-get update -qq
  "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi
if ! have_locale; then
  echo "bootstrap: generating the locale zh_CN.UTF-8" >&2
  if grep -qE '^#? *zh_CN\.UTF-8 UTF-8' /etc/locale.gen; then
    "${as_root[@]}" sed -i -E 's/^# *(zh_CN\.UTF-8 UTF-8)/\1/' /etc/locale.gen
  else
    echo 'zh_CN.UTF-8 UTF-8' | "${as_root[@]}" tee -a /etc/locale.gen >/dev/null
  fi
  "${as_root[@]}" locale-gen >/dev/null
fi
