#!/usr/bin/env bash
# Refreshes the pictures in docs/: the main window fresh and after an upload, and the Options
# dialog, taken inside a Wine desktop on Xvfb, which draws the frames and title bars; then the
# main window after an upload at a display scale of 150 % (144 DPI). Taken with the build this
# host runs (scripts/host.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh screenshots
source scripts/wine-env.sh
tonvale_say_build
tonvale_wine_prefix
trap 'tonvale_wine_dpi 96; tonvale_xvfb_stop' EXIT
tonvale_xvfb_start
shots=build/screenshots
rm -rf "$shots" && mkdir -p "$shots"
tonvale_wine_dpi 96
tonvale_wineserver_start
wine explorer /desktop=Screenshots,1024x768 "$TONVALE_BUILD/bin/screenshots.exe" "$(winepath -w "$shots")"
tonvale_wine_dpi 144
tonvale_wineserver_start
wine explorer /desktop=Screenshots,1400x1000 "$TONVALE_BUILD/bin/screenshots.exe" "$(winepath -w "$shots")" scaled
for picture in main-window main-window-upload options-dialog main-window-144dpi; do
  if [ -f "$shots/$picture.bmp" ]; then
    convert "$shots/$picture.bmp" "docs/$picture.png"
    echo "docs/$picture.png"
  else
    echo "No picture of $picture was taken." >&2
  fi
done
