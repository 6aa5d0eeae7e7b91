#!/usr/bin/env bash
# Builds everything and runs every test: the native logic tests under AddressSanitizer and
# UBSan, a short fuzzing of the settings reader from its seed corpus, then the Windows tests
# through Wine inside one Xvfb server, and those of the display scale again at 120 and 144 DPI.
# The Windows tests run on the build this host can run (scripts/host.sh): the shipped 32-bit
# one, or, where the kernel runs no 32-bit code, its x86-64 twin in build/x64, after the checks
# of the 32-bit images that need no running.
# Arguments go to every ctest run: `scripts/test.sh -R Upload` runs the tests whose names hold
# "Upload".
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
source scripts/configure.sh
jobs=$(nproc)
tonvale_say_build

tonvale_configure native build/native
cmake --build --preset native -j "$jobs"
tonvale_configure fuzz build/fuzz
cmake --build --preset fuzz -j "$jobs" --target settings_fuzzer orientation_fuzzer
scripts/build.sh

status=0
echo "== native tests (AddressSanitizer, UBSan)"
ctest --preset native -j "$jobs" "$@" || status=1

echo "== fuzzing the settings reader from its seed corpus"
ctest --preset fuzz "$@" || status=1

if [ "$TONVALE_WINDOWS_BUILD" = x64 ]; then
  echo "== the 32-bit build's images, read without running them"
  # From their own folder: the build's other tests are listed by running them, which this host
  # cannot do.
  ctest --test-dir build/tests/binding --output-on-failure -L image "$@" || status=1
fi

echo "== Windows tests under Wine, $TONVALE_WINDOWS_BUILD build ($TONVALE_BUILD/)"
tonvale_wine_prefix
windows_log=$(mktemp)
# The prefix goes back to 100 % whatever happens to the scaled runs.
trap 'tonvale_wine_dpi 96; tonvale_xvfb_stop; rm -f "$windows_log"' EXIT
tonvale_xvfb_start
tonvale_wine_dpi 96
tonvale_wineserver_start
ctest --preset "$TONVALE_PRESET" -j "$jobs" "$@" | tee "$windows_log" || status=1

# The windows again at 125 % and 150 %: Wine takes the scale from the prefix at a server's start.
for dpi in 120 144; do
  echo "== Windows tests of the display scale at $dpi DPI, $TONVALE_WINDOWS_BUILD build"
  tonvale_wine_dpi "$dpi"
  tonvale_wineserver_start
  TONVALE_DPI=$dpi ctest --preset "$TONVALE_PRESET" -L dpi "$@" | tee -a "$windows_log" || status=1
done

# CTest names every skipped test in its summary: "  210 - binding.X (Skipped)", a parameterised
# one with "  # GetParam() = ..." after its name.
skipped=$(sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\).* (Skipped)$/  \1/p' "$windows_log" | sort -u)
echo
echo "The Windows tests ran on the $TONVALE_WINDOWS_BUILD build in $TONVALE_BUILD/."
if [ -n "$skipped" ]; then
  echo "Skipped there, as tests of a 32-bit image or convention:"
  echo "$skipped"
fi
exit $status
