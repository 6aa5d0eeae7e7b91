#!/usr/bin/env bash
# Tries the download as a user would: unpacks it, checks that it holds exactly the files the
# guide lists, that its text files have Windows line ends and that its program and library are
# the 32-bit images they must be (read without running them), copies the virtual phone beside
# Tonvale.exe, starts the unpacked program under Wine and watches its window come up, show the
# version the zip is named for, and log "Connected" once the phone attaches. Where this host
# runs no 32-bit code (scripts/host.sh), the program and library started are their x86-64
# twins, put in the unpacked ones' places.
set -euo pipefail
cd "$(dirname "$0")/.."
zip=$1
version=$(basename "$zip" | sed -n 's/^Tonvale-\(.*\)-win32\.zip$/\1/p')
fail() {
  echo "dist check: $*" >&2
  exit 1
}
[ -n "$version" ] || fail "$zip is not named Tonvale-<version>-win32.zip"

expected="Tonvale/LICENSE.txt
Tonvale/README.txt
Tonvale/Tonvale.exe
Tonvale/virtual-phone/p2kapi.dll
Tonvale/virtual-phone/p2kapi.ini"
listed=$(unzip -Z1 "$zip" | LC_ALL=C sort)
if [ "$listed" != "$expected" ]; then
  diff <(echo "$expected") <(echo "$listed") >&2 || true
  fail "the zip does not hold the expected files (< expected, > found)"
fi

source scripts/wine-env.sh
work=$(mktemp -d)
program=
cleanup() {
  [ -n "$program" ] && kill "$program" 2>/dev/null
  tonvale_wineserver_stop
  tonvale_xvfb_stop
  rm -rf "$work"
}
trap cleanup EXIT
unzip -q "$zip" -d "$work"
app=$work/Tonvale

for text in README.txt LICENSE.txt virtual-phone/p2kapi.ini; do
  lines=$(wc -l <"$app/$text")
  crlf=$(grep -c $'\r$' "$app/$text" || true)
  [ "$lines" -gt 0 ] && [ "$lines" -eq "$crlf" ] ||
    fail "$text: $crlf of $lines lines end in CR LF"
done

for check in binding runtime manifest; do
  cmake -DOBJDUMP=i686-w64-mingw32-objdump -DPROGRAM="$app/Tonvale.exe" \
    -DLIBRARY="$app/virtual-phone/p2kapi.dll" -DMACHINE=pei-i386 -DARCHITECTURE=x86 \
    -DCHECK=$check -P tests/binding/check_image.cmake >/dev/null ||
    fail "the unpacked Tonvale.exe or p2kapi.dll fails the image check \"$check\""
done

cp "$app/virtual-phone/p2kapi.dll" "$app/virtual-phone/p2kapi.ini" "$app/"
tonvale_say_build
if [ "$TONVALE_WINDOWS_BUILD" = x64 ]; then
  cp "$TONVALE_BUILD/bin/Tonvale.exe" "$TONVALE_BUILD/bin/p2kapi.dll" "$app/"
fi
tonvale_wine_prefix
tonvale_xvfb_start
tonvale_wineserver_start
wine "$app/Tonvale.exe" </dev/null >/dev/null 2>&1 &
program=$!
# The probe prints the caption once the log says "Connected", then closes the window.
caption=$(wine "$TONVALE_BUILD/bin/window_probe.exe" 30000 </dev/null | tr -d '\r') ||
  fail "the unpacked Tonvale.exe did not come up with its phone attached"
[ "$caption" = "Motorola Tonvale Files Uploader $version - by the Tonvale team" ] ||
  fail "the window's caption is \"$caption\", not that of version $version"
for _ in $(seq 100); do
  kill -0 "$program" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$program" 2>/dev/null && fail "Tonvale did not end when its window was closed"
wait "$program" || fail "Tonvale ended with exit code $?"
program=
[ -d "$app/phone/mobile/audio" ] || fail "the virtual phone beside Tonvale.exe was not the one used"
[ -f "$app/Tonvale.ini" ] || fail "Tonvale.ini was not written beside Tonvale.exe"
if [ "$TONVALE_WINDOWS_BUILD" = x64 ]; then
  started="its x86-64 twin, in the unpacked layout,"
else
  started="the unpacked Tonvale $version"
fi
echo "dist check: $zip holds the five files and the 32-bit images; $started started and connected"
