#!/usr/bin/env bash
# Prints the Windows architecture whose programs Wine can run on this machine: i686 where
# the kernel runs 32-bit programs, x86_64 where it does not (then the tests under Wine use
# a 64-bit build of the same sources; the product stays 32-bit).
set -eu
. "$(dirname "$0")/wine-env.sh"
out="$repo_root/build/wine-arch"
[ -f "$out" ] && { cat "$out"; exit 0; }
mkdir -p "$repo_root/build"
probe=$(mktemp -d)
printf 'int main(void){return 42;}\n' > "$probe/p.c"
arch=x86_64
if i686-w64-mingw32-gcc "$probe/p.c" -o "$probe/p.exe" 2>/dev/null; then
  set +e
  timeout 120 wine "$probe/p.exe" >/dev/null 2>&1
  [ $? -eq 42 ] && arch=i686
  set -e
fi
rm -rf "$probe"
echo "$arch" | tee "$out"
