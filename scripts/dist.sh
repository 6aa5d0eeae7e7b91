#!/usr/bin/env bash
# Builds the 32-bit release (and, where this host runs no 32-bit code, the x86-64 twin that the
# check starts in its place), packs the download dist/Tonvale-<version>-win32.zip and tries it
# (scripts/dist-check.sh). The same sources give the same bytes: every file carries the release
# date as its time (SOURCE_DATE_EPOCH overrides it), the text files get Windows line ends, and
# zip stores the files in sorted order without owners, extra time stamps or folder entries.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh Tonvale p2kapi window_probe
source build/release.env

name=Tonvale-$TONVALE_VERSION-win32
stage=build/dist-stage
rm -rf "$stage"
mkdir -p "$stage/Tonvale/virtual-phone"
cp build/bin/Tonvale.exe "$stage/Tonvale/Tonvale.exe"
cp build/bin/p2kapi.dll "$stage/Tonvale/virtual-phone/p2kapi.dll"
# The sources have Unix line ends; Notepad before Windows 10 shows those as one long line.
crlf() { sed 's/\r$//; s/$/\r/' "$1" >"$2"; }
crlf docs/README.txt "$stage/Tonvale/README.txt"
crlf LICENSE "$stage/Tonvale/LICENSE.txt"
crlf p2kapi/p2kapi.ini "$stage/Tonvale/virtual-phone/p2kapi.ini"

epoch=${SOURCE_DATE_EPOCH:-$(date -u -d "$TONVALE_RELEASE_DATE" +%s)}
find "$stage" -type d -exec chmod 755 {} +
find "$stage" -type f -exec chmod 644 {} +
find "$stage" -exec touch -d "@$epoch" {} +

packed=$PWD/build/$name.zip
rm -f "$packed"
# zip stores local times: in UTC the bytes do not depend on the machine's time zone.
(cd "$stage" && find Tonvale -type f | LC_ALL=C sort | TZ=UTC zip -q -X -D -9 "$packed" -@)
mkdir -p dist
mv "$packed" "dist/$name.zip"
echo "Wrote dist/$name.zip ($(stat -c %s "dist/$name.zip") bytes)"

scripts/dist-check.sh "dist/$name.zip"
