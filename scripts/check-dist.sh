#!/usr/bin/env bash
# The product is one 32-bit program that needs no DLL beyond the system's, within its size
# budget, with a manifest that declares no execution level.
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

# The manifest Windows reads: the bytes of the resource of type 24 (RT_MANIFEST), found
# through the resource directory and the .rsrc section's place in the file.
dump=$(i686-w64-mingw32-objdump -p "$exe")
leaf=$(printf '%s\n' "$dump" | awk '
  /The .rsrc Resource Directory section/ { rsrc = 1; next }
  rsrc && /^[0-9a-f]+   Entry: ID: / { manifest = ($4 == "0x000018,") }
  rsrc && manifest && /Leaf: Addr:/ { sub(",", "", $4); sub(",", "", $6); print $4, $6; exit }')
[ -n "$leaf" ] || { echo "$exe has no manifest"; exit 1; }
read -r rva length <<< "$leaf"
image_base=$(printf '%s\n' "$dump" | awk '$1 == "ImageBase" { print $2; exit }')
read -r rsrc_vma rsrc_offset < <(i686-w64-mingw32-objdump -h "$exe" | awk '$2 == ".rsrc" { print $4, $6; exit }')
offset=$(( 0x$rsrc_offset + $rva + 0x$image_base - 0x$rsrc_vma ))
manifest=$(tail -c +$((offset + 1)) "$exe" | head -c $((length)))
for wanted in Microsoft.Windows.Common-Controls dpiAwareness supportedOS; do
  grep -q "$wanted" <<< "$manifest" || { echo "$exe: the manifest lacks $wanted"; exit 1; }
done
# Without a declared execution level Windows virtualizes our file access as it does an
# older player's in a protected folder, so both see the same kk.ini.
if grep -q requestedExecutionLevel <<< "$manifest"; then
  echo "$exe: the manifest declares an execution level; it must not (see res/reelmark.manifest)"
  exit 1
fi
echo "dist/reelmark.exe: 32-bit, $size bytes, imports: ${dlls% }; manifest without an execution level"

# The package for users: the same program and the guide, as Notepad reads it on any
# Windows (a UTF-8 byte-order mark, CR LF at every line's end).
version=$("$(dirname "$0")/exe-version.sh" "$exe") || { echo "$exe: no version in its version resource"; exit 1; }
zip=$(dirname "$exe")/reelmark-$version.zip
[ -f "$zip" ] || { echo "$zip is missing"; exit 1; }
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
zip_path=$(realpath "$zip")
(cd "$unpacked" && cmake -E tar xf "$zip_path")
held=$(cd "$unpacked" && find . -type f | sort | tr '\n' ' ')
[ "$held" = "./guide.txt ./reelmark.exe " ] || { echo "$zip holds $held, not guide.txt and reelmark.exe"; exit 1; }
cmp -s "$unpacked/reelmark.exe" "$exe" || { echo "$zip holds another reelmark.exe than $exe"; exit 1; }
guide=$unpacked/guide.txt
[ "$(head -c 3 "$guide" | od -An -tx1 | tr -d ' ')" = efbbbf ] || { echo "$zip: guide.txt lacks the UTF-8 byte-order mark"; exit 1; }
! grep -q $'[^\r]$\|^$' "$guide" || { echo "$zip: guide.txt has a line without CR LF"; exit 1; }
[ "$(tail -c 2 "$guide" | od -An -tx1 | tr -d ' ')" = 0d0a ] || { echo "$zip: guide.txt does not end with CR LF"; exit 1; }
iconv -f UTF-8 -t UTF-8 "$guide" >/dev/null 2>&1 || { echo "$zip: guide.txt is not UTF-8"; exit 1; }
echo "$zip: reelmark.exe and guide.txt (UTF-8 with a byte-order mark, CR LF)"
