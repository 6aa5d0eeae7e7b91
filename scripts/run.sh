#!/usr/bin/env bash
# Starts Tonvale.exe under Wine against the virtual phone: the shipped 32-bit build, or its
# x86-64 twin where this host runs no 32-bit code (scripts/host.sh). Without a display it runs
# inside Xvfb and saves a screenshot of the screen to build/screenshot.png once the window is up.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
tonvale_say_build
tonvale_wine_prefix

cleanup() { tonvale_wineserver_stop; tonvale_xvfb_stop; }
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ -z "${DISPLAY:-}" ]; then
  tonvale_xvfb_start
  # Xvfb has no window manager: a Wine desktop of the window's size draws its frame and title.
  desktop=790x570
  wine explorer "/desktop=Tonvale,$desktop" "$TONVALE_BUILD/bin/Tonvale.exe" &
else
  wine "$TONVALE_BUILD/bin/Tonvale.exe" &
fi
app=$!
if [ -n "${desktop:-}" ]; then
  sleep "${TONVALE_SCREENSHOT_DELAY:-6}"
  if kill -0 "$app" 2>/dev/null; then
    import -window root -crop "$desktop+0+0" +repage build/screenshot.png
    echo "No display: Tonvale runs under Xvfb ($DISPLAY); screenshot saved to build/screenshot.png."
    echo "Press Ctrl+C to stop it."
  fi
fi
wait "$app"
