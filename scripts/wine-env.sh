# Sourced: Wine for the Windows build this host runs (scripts/host.sh), in a prefix private to
# that build's folder, without the Mono and Gecko prompts.
TONVALE_ROOT=${TONVALE_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
source "$TONVALE_ROOT/scripts/host.sh"
tonvale_host
export WINEPREFIX="${TONVALE_WINEPREFIX:-$TONVALE_ROOT/$TONVALE_BUILD/wineprefix}"
# winemenubuilder would write desktop entries and icons outside the repository.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEDEBUG=-all
# WoW64 runs 64-bit Wine services beside the 32-bit Tonvale.exe and p2kapi.dll; the x86-64 build
# needs the 64-bit half alone. Debian's wine, wineboot and winepath take the 32-bit loader
# whenever wine32 is installed: for the x86-64 build they are replaced by ones that take the
# 64-bit loader, for this script and every program it starts.
export WINEARCH=win64
if [ "$TONVALE_WINDOWS_BUILD" = x64 ]; then
  export WINELOADER=/usr/lib/wine/wine64
  case ":$PATH:" in
    *":$TONVALE_ROOT/scripts/wine64:"*) ;;
    *) export PATH="$TONVALE_ROOT/scripts/wine64:$PATH" ;;
  esac
fi

# Creates the prefix once (about 20 s); later runs reuse it. For the 32-bit build, a prefix made
# before Wine's 32-bit half was installed has no 32-bit DLLs in syswow64 and cannot run 32-bit
# programs: it is made afresh.
tonvale_wine_prefix() {
  if [ "$TONVALE_WINDOWS_BUILD" = i686 ] && [ -f "$WINEPREFIX/system.reg" ] &&
    [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
    echo "Replacing the 64-bit-only Wine prefix in $WINEPREFIX ..."
    wineserver -k >/dev/null 2>&1 </dev/null || true
    rm -rf "$WINEPREFIX"
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix in $WINEPREFIX ..."
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 </dev/null || true
    wineserver -w >/dev/null 2>&1 </dev/null || true
  fi
  # Without Wine's own fonts every face is a stand-in much wider than Windows' "MS Sans Serif",
  # and the windows' texts would not be measured as Windows draws them.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ -f /usr/share/wine/fonts/sserife.fon ] && [ ! -f "$fonts/sserife.fon" ]; then
    mkdir -p "$fonts"
    cp /usr/share/wine/fonts/* "$fonts/"
  fi
}

# A Wine server that stays up for the whole run; it must not inherit our pipes.
# The first program of a new server also starts Wine's services, and the first window starts the
# desktop process; either would inherit (and hold open) the pipes of whoever started it, such as
# CTest's, which then counts that test as running until the server ends: start them here,
# detached.
tonvale_wineserver_start() {
  wineserver -p >/dev/null 2>&1 </dev/null &
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
  wine explorer /desktop >/dev/null 2>&1 </dev/null &
  # The tests' windows are left to Wine alone: without a window manager on Xvfb, Wine would
  # otherwise wait two seconds for one at every hiding and closing of a window with a frame.
  wine reg add 'HKCU\Software\Wine\AppDefaults\app_tests.exe\X11 Driver' /v Managed /d N /f \
    >/dev/null 2>&1 </dev/null || true
}
tonvale_wineserver_stop() { wineserver -k >/dev/null 2>&1 </dev/null || true; }

# The display's scale in the prefix, as LogPixels (96 is 100 %, 144 is 150 %); it takes effect
# for the programs of the next server. Stops the server.
tonvale_wine_dpi() {
  tonvale_wineserver_stop
  local key
  for key in 'HKCU\Control Panel\Desktop' \
             'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
    wine reg add "$key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 </dev/null || true
  done
  wineserver -w >/dev/null 2>&1 </dev/null || true
}

# Starts an Xvfb on a free display number and exports DISPLAY; sets TONVALE_XVFB_PID.
tonvale_xvfb_start() {
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  # Room for the main window at 150 %.
  Xvfb ":$n" -screen 0 1600x1200x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
  TONVALE_XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$n" ] && return 0
    sleep 0.1
  done
  echo "Xvfb did not start" >&2
  return 1
}
tonvale_xvfb_stop() { [ -n "${TONVALE_XVFB_PID:-}" ] && kill "$TONVALE_XVFB_PID" 2>/dev/null || true; }
