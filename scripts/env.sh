# Shared settings for the scripts: sourced, not run.
REELSIFT_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

# The two Windows builds of the tree: x86 is the release (it runs on every Windows), x64 its 64-bit twin.
REELSIFT_ARCHES=(x86 x64)

# Selects one build for what follows: its compiler, its build and dist folders, its Wine loader and a Wine
# prefix of its own. The loaders are called by their own paths: /usr/bin/wine picks the 32-bit loader
# whenever its file exists, even where the kernel cannot run it.
use_arch() {
  case "$1" in
    x86)
      REELSIFT_MINGW=i686-w64-mingw32
      REELSIFT_TOOLCHAIN=$REELSIFT_ROOT/cmake/mingw-i686.cmake
      REELSIFT_BUILD=$REELSIFT_ROOT/build/win32
      REELSIFT_DIST=$REELSIFT_ROOT/dist
      REELSIFT_WINE=/usr/lib/wine/wine
      export WINEARCH=win32
      ;;
    x64)
      REELSIFT_MINGW=x86_64-w64-mingw32
      REELSIFT_TOOLCHAIN=$REELSIFT_ROOT/cmake/mingw-x86_64.cmake
      REELSIFT_BUILD=$REELSIFT_ROOT/build/win64
      REELSIFT_DIST=$REELSIFT_ROOT/dist-x64
      REELSIFT_WINE=/usr/lib/wine/wine64
      export WINEARCH=win64
      ;;
    *)
      echo "unknown architecture: $1 (x86 or x64)" >&2
      return 2
      ;;
  esac
  REELSIFT_ARCH=$1
  export WINEPREFIX=$REELSIFT_ROOT/build/wineprefix-$1
  # Programs that Wine starts from Wine programs get the same loader.
  export WINELOADER=$REELSIFT_WINE
}

describe_arch() {
  case "$1" in
    x86) echo "x86 (32-bit)" ;;
    x64) echo "x64 (64-bit)" ;;
  esac
}

# Settings every prefix carries, applied again whenever this list changes.
REELSIFT_PREFIX_VERSION=2
prefix_settings() {
  # Without a window manager Wine waits ~2 s on every destroyed window unless windows are unmanaged.
  "$REELSIFT_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f
  # The template font as Windows measures it: FreeSans gives its base units, 7 x 15 at 100 %.
  "$REELSIFT_WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Microsoft Sans Serif' /t REG_SZ /d FreeSans /f
  set_display_dpi 96
}

# Sets the display scale the selected prefix reports (96 is 100 %). Wine reads it when wineserver starts, so the
# server is ended here; the next program, or start_wine_session, starts it again.
set_display_dpi() {
  "$REELSIFT_WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f </dev/null >/dev/null 2>&1 ||
    return 1
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
}

# Makes the selected build's prefix, once, and brings its settings up to date.
prepare_prefix() {
  local stamp=$WINEPREFIX/.reelsift-prefix
  [ "$(cat "$stamp" 2>/dev/null)" = "$REELSIFT_PREFIX_VERSION" ] && return 0
  mkdir -p "$WINEPREFIX"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$REELSIFT_WINE" wineboot -i </dev/null >/dev/null 2>&1 || return 1
    wineserver -w >/dev/null 2>&1 || true
  fi
  prefix_settings </dev/null >/dev/null 2>&1 || return 1
  wineserver -k >/dev/null 2>&1 || true
  echo "$REELSIFT_PREFIX_VERSION" >"$stamp"
}

# The tiny program of scripts/probe.c for the selected architecture, built when missing.
probe_exe() {
  local probe=$REELSIFT_ROOT/build/probe/probe-$REELSIFT_ARCH.exe
  if [ ! -f "$probe" ]; then
    mkdir -p "$(dirname "$probe")"
    "$REELSIFT_MINGW-gcc" -O2 -s -o "$probe" "$REELSIFT_ROOT/scripts/probe.c" || return 1
  fi
  echo "$probe"
}

# True when this machine runs Windows programs of the selected architecture, found by starting a tiny one
# of that architecture in the prepared prefix. REELSIFT_ARCH_PROBLEM then says why not.
arch_runs() {
  REELSIFT_ARCH_PROBLEM=""
  local probe output status=0
  if [ ! -x "$REELSIFT_WINE" ]; then
    REELSIFT_ARCH_PROBLEM="$REELSIFT_WINE is not installed (scripts/setup installs it only where the kernel runs 32-bit programs)"
    return 1
  fi
  # Where the kernel cannot run the loader itself ("Exec format error"), say so before anything else.
  if ! output=$("$REELSIFT_WINE" --version 2>&1); then
    REELSIFT_ARCH_PROBLEM="this machine cannot start $REELSIFT_WINE: $(echo "$output" | tail -n 1)"
    return 1
  fi
  if ! probe=$(probe_exe); then
    REELSIFT_ARCH_PROBLEM="$REELSIFT_MINGW-gcc could not build the probe"
    return 1
  fi
  if ! prepare_prefix; then
    REELSIFT_ARCH_PROBLEM="no Wine prefix could be made with $REELSIFT_WINE"
    return 1
  fi
  output=$("$REELSIFT_WINE" "$probe" </dev/null 2>&1) || status=$?
  # The probe ends with 42: any other answer means it never ran.
  if [ "$status" -ne 42 ]; then
    REELSIFT_ARCH_PROBLEM="$REELSIFT_WINE did not run a $(describe_arch "$REELSIFT_ARCH") program (exit $status${output:+: $(echo "$output" | tail -n 1)})"
    return 1
  fi
}

# Starts a Wine session for the selected prefix that outlives the commands, warmed once. Wine's services and
# its desktop process inherit the output of the program that starts them and live on after it, so a test
# that started them would keep ctest waiting on its output: here they start with their output away from any
# pipe. The desktop process ends a moment after the last program that uses the desktop, and the next program
# would start it again: one program holds the desktop for the whole session.
start_wine_session() {
  local probe held
  held=$(wine_session_dir)
  mkdir -p "$held"
  (setsid wineserver -f -p </dev/null >"$held/server.log" 2>&1 &)
  "$REELSIFT_WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
  probe=$(probe_exe) || return 1
  rm -f "$held/desktop-held"
  (cd "$held" && setsid "$REELSIFT_WINE" "$probe" --hold-desktop </dev/null >/dev/null 2>&1 &)
  for _ in $(seq 300); do
    [ -e "$held/desktop-held" ] && break
    sleep 0.1
  done
  [ -e "$held/desktop-held" ] || echo "start_wine_session: nothing holds the desktop; a test may wait on Wine's desktop process" >&2
}

# The folder of the selected architecture's session: its server's log and the desktop holder's mark.
wine_session_dir() {
  echo "$REELSIFT_ROOT/build/probe/session-$REELSIFT_ARCH"
}

# True when the server of the last session crashed (it says so in its log on its way out).
wine_server_crashed() {
  grep -qs crashed "$(wine_session_dir)/server.log"
}

# Ends the session, the holder of the desktop with it. Wine's server (8.0) now and then crashes under load: its
# processes then live on with no server to end them, holding the output of whatever started the session (a CI
# run would wait on them for good). They are ended here too.
stop_wine_session() {
  wineserver -k >/dev/null 2>&1 || true
  local proc
  for proc in /proc/[0-9]*; do
    case "$(readlink "$proc/exe" 2>/dev/null)" in /usr/lib/wine/*) ;; *) continue ;; esac
    tr '\0' '\n' <"$proc/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
    kill -9 "${proc#/proc/}" 2>/dev/null || true
  done
}
