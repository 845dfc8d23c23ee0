#!/usr/bin/env bash
# Makes the README's pictures from the demo, run in a headless X server: the start-up
# question, the list after the capture, a film not there selected, and the tray icon's menu, each cut to its window
# (the menu with the corner of the taskbar that holds the icon) and saved small as
# docs/*.png.
set -euo pipefail
cd "$(dirname "$0")/.."
env -u DISPLAY scripts/demo.sh
mkdir -p docs

# Fewer colours and no metadata keep each picture to a few tens of KB.
save() {
  local from=$1 to=$2; shift 2
  convert "$from" "$@" +repage -strip +dither -colors 64 -define png:compression-level=9 "$to"
  echo "$to: $(stat -c %s "$to") bytes"
}

# A window alone on the desktop: the taskbar cut off, then the desktop around the window
# trimmed away, leaving a margin of it.
window_alone() {
  local from=$1 to=$2 width height background
  read -r width height < <(identify -format '%w %h\n' "$from")
  background=$(convert "$from" -format '%[pixel:p{0,0}]' info:)
  save "$from" "$to" -crop "${width}x$((height - 40))+0+0" +repage -trim +repage \
    -bordercolor "$background" -border 8
}

window_alone demo/screenshot.png docs/start-up-question.png
window_alone demo/screenshot-list.png docs/list-after-capture.png
window_alone demo/screenshot-marks.png docs/films-not-there.png
# The menu opens above the icon in the screen's bottom right corner.
save demo/screenshot-tray.png docs/tray-menu.png -gravity SouthEast -crop 170x80+0+0
