#!/usr/bin/env bash
# Builds everything and runs every test: the native logic tests under AddressSanitizer and
# UBSan, then the Windows tests through Wine inside one Xvfb server.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
source scripts/configure.sh
jobs=$(nproc)

tonvale_configure native build/native
cmake --build --preset native -j "$jobs"
scripts/build.sh

status=0
echo "== native tests (AddressSanitizer, UBSan)"
ctest --preset native -j "$jobs" || status=1

echo "== Windows tests under Wine"
tonvale_wine_prefix
trap 'tonvale_wineserver_stop; tonvale_xvfb_stop' EXIT
tonvale_xvfb_start
tonvale_wineserver_start
ctest --preset windows -j "$jobs" || status=1
exit $status
