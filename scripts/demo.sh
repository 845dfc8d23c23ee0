#!/usr/bin/env bash
# Runs Reelmark under Wine the way a user meets it: in a player folder (demo/) beside the
# stand-in player, which is playing a sample film. Start-up closes the player, takes the
# film and its position, and asks whether to keep it as a favourite.
#
# With a display (DISPLAY set) the windows open there: a screenshot of the question is
# saved, and the rest is yours to click. Without one, everything runs in a headless X
# server on a Wine desktop: one screenshot shows the question, a second the list after
# answering Yes, a third the list after three films are dropped on it, a fourth with a
# favourite whose film is not there selected, a fifth the tray icon's menu (scripts/screenshots.sh makes the README's pictures from them).
set -euo pipefail
# A Wine prefix of the demo's own: it gets a drive D: for the films and a font.
WINEPREFIX="$(cd "$(dirname "$0")/.." && pwd)/build/wineprefix-demo"
export WINEPREFIX
. "$(dirname "$0")/wine-env.sh"
cd "$repo_root"

# The stand-in player and the driver come from the Windows test build that Wine runs here;
# Reelmark is the program the end-to-end tests run (scripts/program-under-test.sh), unless
# REELMARK_BUILD_DIR names a build to take every program from.
arch=$(scripts/wine-arch.sh)
build=${REELMARK_BUILD_DIR:-build/win-test-$arch}
demo=$repo_root/demo
reelmark_exe=$build/src/win32/reelmark.exe
player_exe=$build/tools/standin-player/standin-player.exe
driver_exe=$build/tests/e2e/reelmark_e2e_driver.exe
desktop=reelmark,1024x768
# The films sit on the prefix's drive D:, as on a person's machine.
drive_d=$demo/drive-d
films=$drive_d/电影

# Z: is the Unix root in every Wine prefix.
win_path() { printf 'Z:%s' "$1" | tr / '\\'; }
film_path() { printf 'D:\\电影\\%s' "$1"; }
make_film() { printf 'RIFF\004\000\000\000AVI LIST' > "$films/$1"; }
# The player's files are in the ANSI code page, 936.
cp936() { iconv -f UTF-8 -t CP936; }
# The driver's demo steps look at the windows of the desktop the programs run on.
driver() {
  if [ "${REELMARK_DEMO_HEADLESS:-}" = 1 ]; then
    scripts/wine-run.sh "$driver_exe" --desktop="${desktop%%,*}" "$@"
  else
    scripts/wine-run.sh "$driver_exe" "$@"
  fi
}
# Starts a Windows program in the background. Headless, it opens on a Wine desktop (made
# by the first program), which gives the windows title bars and a background.
start_windows_program() {
  local exe=$1; shift
  local loader; loader=$(wine_loader "$(pe_arch "$exe")")
  if [ "${REELMARK_DEMO_HEADLESS:-}" = 1 ]; then
    env LC_ALL="$wine_locale" "$loader" explorer /desktop="$desktop" "$(win_path "$exe")" "$@" &
  else
    env LC_ALL="$wine_locale" "$loader" "$exe" "$@" &
  fi
  last_pid=$!
}

# The prefix made once; its drive D: is the demo's folder of films. Wine draws the caption
# buttons (minimise, close) with its symbol font Marlett, which Debian's fonts-wine keeps
# where this Wine does not look: the prefix's Fonts folder gets it.
prepare_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    env LC_ALL="$wine_locale" "$(wine_loader "$arch")" wineboot -i >/dev/null 2>&1 || true
  fi
  ln -sfn "$drive_d" "$WINEPREFIX/dosdevices/d:"
  local font=/usr/share/wine/fonts/marlett.ttf fonts=$WINEPREFIX/drive_c/windows/Fonts
  if [ -f "$font" ] && [ ! -f "$fonts/marlett.ttf" ]; then
    mkdir -p "$fonts"
    cp "$font" "$fonts/"
  fi
}

build_programs() {
  if [ -z "${REELMARK_BUILD_DIR:-}" ]; then
    reelmark_exe=$(scripts/program-under-test.sh)
    cmake --preset "win-test-$arch" >/dev/null
    cmake --build "$build" -j2 --target standin_player reelmark_e2e_driver
  else
    cmake --build "$build" -j2 --target reelmark standin_player reelmark_e2e_driver
  fi
  echo "Reelmark in the demo: $reelmark_exe"
}

make_player_folder() {
  rm -rf "$demo"
  mkdir -p "$films"
  cp "$reelmark_exe" "$demo/reelmark.exe"
  cp "$player_exe" "$demo/mplayer.exe"
  for film in 示例电影.avi 长夜.mkv 海上钢琴师.avi; do make_film "$film"; done
  # The player's settings: resume on, and the sample film left at 10 minutes, so the
  # player started without arguments resumes it, as it does after an earlier evening.
  printf '[Option]\r\nauto_resume=1\r\nvolume=80\r\nosdlevel=1\r\n[Status]\r\nresume=1\r\nFilename=%s\r\nTime=600\r\n' \
    "$(film_path 示例电影.avi)" | cp936 > "$demo/kk.ini"
  # Four favourites from earlier evenings, two of them on an external disk that sits in a
  # drawer (E:, not there): their rows are drawn as films that are not there.
  printf '[options]\r\nDelLast= 0\r\nDelLastPath= 0\r\nDblExit= 0\r\n[1fav]\r\ntime= 3720\r\nFilename=D:\\电影\\长夜.mkv\r\n[2fav]\r\ntime= 1815\r\nFilename=D:\\电影\\海上钢琴师.avi\r\n[3fav]\r\ntime= 2400\r\nFilename=E:\\剧集\\大宅门 第1集.mkv\r\n[4fav]\r\ntime= 600\r\nFilename=E:\\剧集\\大宅门 第2集.mkv\r\n' \
    | cp936 > "$demo/kk_fav.ini"
  # The stand-in reports 1 h 2 min 5 s into the sample film when it closes.
  printf '[standin]\r\nreport_time=3725\r\n' > "$demo/standin.ini"
}

# The demo itself; runs on the display it is given.
run_demo() {
  start_windows_program "$demo/mplayer.exe"
  driver --demo-wait-player
  start_windows_program "$demo/reelmark.exe"
  reelmark_pid=$last_pid
  driver --demo-wait-question
  sleep 1  # let the question paint
  import -window root "$demo/screenshot.png"
  echo "screenshot of the question: $demo/screenshot.png"
  if [ "${REELMARK_DEMO_HEADLESS:-}" = 1 ]; then
    driver --demo-answer-yes
    sleep 1
    import -window root "$demo/screenshot-list.png"
    echo "screenshot of the list: $demo/screenshot-list.png"
    # Three films dropped on the list from the Explorer become favourites at 00:00:00.
    for film in 晚秋.mkv 'Roman Holiday.avi' 城南旧事.rmvb; do make_film "$film"; done
    driver --demo-drop "$(film_path 晚秋.mkv)" "$(film_path 'Roman Holiday.avi')" "$(film_path 城南旧事.rmvb)"
    sleep 1
    import -window root "$demo/screenshot-drop.png"
    echo "screenshot of the list after a drop: $demo/screenshot-drop.png"
    driver --demo-select-marked
    sleep 1
    import -window root "$demo/screenshot-marks.png"
    echo "screenshot of a film not there, selected: $demo/screenshot-marks.png"
    driver --demo-tray-menu
    sleep 1
    import -window root "$demo/screenshot-tray.png"
    echo "screenshot of the tray menu: $demo/screenshot-tray.png"
    driver --demo-close
  else
    echo "Reelmark is running: answer its question, and close it to end the demo."
    wait "$reelmark_pid" || true
  fi
}

if [ "${1:-}" = --inside-headless-server ]; then
  export REELMARK_DEMO_HEADLESS=1
  run_demo
  exit 0
fi

build_programs
make_player_folder
prepare_prefix
if [ -n "${DISPLAY:-}" ]; then
  run_demo
else
  xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside-headless-server
fi
