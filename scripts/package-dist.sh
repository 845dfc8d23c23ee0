#!/usr/bin/env bash
# Packs the program and the users' guide into dist/reelmark-VERSION.zip, the version read
# from the program's own version resource. The guide gets CR LF line ends and a UTF-8
# byte-order mark, so that Notepad on older Windows shows its Chinese captions.
set -euo pipefail
cd "$(dirname "$0")/.."
exe=dist/reelmark.exe
version=$(scripts/exe-version.sh "$exe") || { echo "$exe: no version in its version resource"; exit 1; }
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$exe" "$stage/reelmark.exe"
{ printf '\357\273\277'; sed 's/\r*$/\r/' docs/guide.txt; } > "$stage/guide.txt"
rm -f dist/reelmark-*.zip
zip=$PWD/dist/reelmark-$version.zip
(cd "$stage" && cmake -E tar cf "$zip" --format=zip reelmark.exe guide.txt)
