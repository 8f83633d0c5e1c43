# Shared settings for the scripts: sourced, not run.
REELSIFT_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$REELSIFT_ROOT/build/wineprefix}"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

# Starts a wineserver that outlives the commands (so ctest need not wait on Wine's services), warmed once.
start_wine_session() {
  (setsid wineserver -p </dev/null >/dev/null 2>&1 &)
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

stop_wine_session() {
  wineserver -k >/dev/null 2>&1 || true
}
