#!/usr/bin/env bash
# Builds everything and runs every test: the native logic tests under AddressSanitizer and
# UBSan, a short fuzzing of the settings reader from its seed corpus, then the Windows tests
# through Wine inside one Xvfb server, and those of the display scale again at 120 and 144 DPI.
# Arguments go to every ctest run: `scripts/test.sh -R Upload` runs the tests whose names hold
# "Upload".
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
source scripts/configure.sh
jobs=$(nproc)

tonvale_configure native build/native
cmake --build --preset native -j "$jobs"
tonvale_configure fuzz build/fuzz
cmake --build --preset fuzz -j "$jobs" --target settings_fuzzer
scripts/build.sh

status=0
echo "== native tests (AddressSanitizer, UBSan)"
ctest --preset native -j "$jobs" "$@" || status=1

echo "== fuzzing the settings reader from its seed corpus"
ctest --preset fuzz "$@" || status=1

echo "== Windows tests under Wine"
tonvale_wine_prefix
# The prefix goes back to 100 % whatever happens to the scaled runs.
trap 'tonvale_wine_dpi 96; tonvale_xvfb_stop' EXIT
tonvale_xvfb_start
tonvale_wine_dpi 96
tonvale_wineserver_start
ctest --preset windows -j "$jobs" "$@" || status=1

# The windows again at 125 % and 150 %: Wine takes the scale from the prefix at a server's start.
for dpi in 120 144; do
  echo "== Windows tests of the display scale at $dpi DPI"
  tonvale_wine_dpi "$dpi"
  tonvale_wineserver_start
  TONVALE_DPI=$dpi ctest --preset windows -L dpi "$@" || status=1
done
exit $status
