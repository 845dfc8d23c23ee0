#!/usr/bin/env bash
# Runs one Windows program under Wine and passes its exit code on. CMake uses it as the
# emulator of the cross builds, so ctest runs the Windows tests through it.
set -u
. "$(dirname "$0")/wine-env.sh"
exe=$1; shift
loader=$(wine_loader "$(pe_arch "$exe")")
# Outside an X server, give the program a headless one.
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
  exec env LC_ALL="$wine_locale" xvfb-run -a "$loader" "$exe" "$@"
fi
exec env LC_ALL="$wine_locale" "$loader" "$exe" "$@"
