#!/usr/bin/env bash
# The product is one 32-bit program that needs no DLL beyond the system's, within its size budget.
set -eu
exe=$1
budget=$((400 * 1024))
size=$(stat -c %s "$exe")
machine=$(od -An -tx2 -j "$(( $(od -An -tu4 -j 60 -N4 "$exe") + 4 ))" -N2 "$exe" | tr -d ' ')
[ "$machine" = 014c ] || { echo "$exe is not a 32-bit x86 program (machine $machine)"; exit 1; }
dlls=$(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\tDLL Name: //p' | tr 'A-Z' 'a-z' | sort -u | tr '\n' ' ')
for dll in $dlls; do
  case "$dll" in
    kernel32.dll|user32.dll|gdi32.dll|shell32.dll|advapi32.dll|comctl32.dll|msvcrt.dll|ole32.dll|uxtheme.dll|shlwapi.dll) ;;
    *) echo "$exe needs $dll, which is not part of the system"; exit 1 ;;
  esac
done
[ "$size" -le "$budget" ] || { echo "$exe is $size bytes, over the budget of $budget"; exit 1; }
echo "dist/reelmark.exe: 32-bit, $size bytes, imports: $dlls"
