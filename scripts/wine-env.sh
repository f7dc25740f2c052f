# Sourced by the scripts that run Windows programs: a quiet 32-bit Wine in a
# prefix of the project's own, created on first use.
repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEARCH=win32
export WINEPREFIX=${VELQUIN_WINEPREFIX:-$repo_root/build/wine}
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko download prompts: the program needs neither.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

velquin_prepare_prefix() {
  [ -f "$WINEPREFIX/.velquin-ready" ] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.velquin-ready" ]; then
      echo "Creating the Wine prefix $WINEPREFIX" >&2
      DISPLAY= wineboot -i >/dev/null 2>&1 || true
      DISPLAY= wine regedit /S "$(winepath -w "$repo_root/scripts/wine-prefix.reg" 2>/dev/null)" >/dev/null 2>&1
      wineserver -w
      touch "$WINEPREFIX/.velquin-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
}
velquin_prepare_prefix
