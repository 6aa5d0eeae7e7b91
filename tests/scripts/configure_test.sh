#!/usr/bin/env bash
# A build folder that came with a copied or moved checkout names the other source folder in its
# cache: it is made afresh, keeping only the Wine prefix and the other presets' folders, which
# are looked at on their own; one made for this checkout is left as it is.
set -euo pipefail
scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "configure test: $*" >&2
  exit 1
}
mkdir -p "$work/original" "$work/copy/build/x64" "$work/copy/build/wineprefix"
cd "$work/copy"
printf 'CMAKE_HOME_DIRECTORY:INTERNAL=%s\nCMAKE_TOOLCHAIN_FILE:FILEPATH=x/mingw-w64-i686.cmake\n' \
  "$work/original" >build/CMakeCache.txt
touch build/Makefile build/stale.obj
# The configure step itself is only recorded.
cmake() { echo "cmake $*" >>"$work/calls"; }
source "$scripts/configure.sh"

tonvale_configure windows build >/dev/null
[ ! -e build/stale.obj ] && [ ! -e build/CMakeCache.txt ] || fail "the copied build was kept"
[ -d build/x64 ] && [ -d build/wineprefix ] || fail "the prefix or another preset's folder went"
grep -qx 'cmake --preset windows' "$work/calls" || fail "the folder was not configured afresh"

rm -f "$work/calls"
printf 'CMAKE_HOME_DIRECTORY:INTERNAL=%s\nCMAKE_TOOLCHAIN_FILE:FILEPATH=x/mingw-w64-i686.cmake\n' \
  "$work/copy" >build/CMakeCache.txt
touch build/Makefile build/kept.obj
tonvale_configure windows build >/dev/null
[ -e build/kept.obj ] || fail "a build made for this checkout was thrown away"
[ ! -e "$work/calls" ] || fail "a current build was configured again"
echo "configure test: a copied build folder is made afresh, a current one kept"
