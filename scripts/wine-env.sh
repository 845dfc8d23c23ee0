# Sourced by the scripts that run Windows programs under Wine: one prefix under build/,
# code page 936 for the ANSI functions, no Wine chatter.
repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$repo_root/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
# The locale given to the Wine loader alone (LC_ALL=$wine_locale): it makes the ANSI code
# page 936, and, once scripts/bootstrap.sh has generated it, lets Wine name files and pass
# command lines in Chinese. Not exported to the scripts: their own tools would speak Chinese.
wine_locale=zh_CN.UTF-8
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"
# The loader that runs PE programs of the given architecture (i686 or x86_64).
wine_loader() {
  if [ "$1" = x86_64 ] && [ -x /usr/lib/wine/wine64 ]; then echo /usr/lib/wine/wine64; else echo wine; fi
}
# The architecture of a PE file, from its header.
pe_arch() {
  case "$(od -An -tx2 -j "$(( $(od -An -tu4 -j 60 -N4 "$1") + 4 ))" -N2 "$1" | tr -d ' ')" in
    8664) echo x86_64 ;;
    *) echo i686 ;;
  esac
}
