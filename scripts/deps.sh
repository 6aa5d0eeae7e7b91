#!/usr/bin/env bash
# Installs, with apt-get, whatever the build and the tests need and this machine lacks.
# `scripts/deps.sh run` also installs what `make run` alone needs (ImageMagick for its screenshot);
# `scripts/deps.sh dist` zip and unzip for the download; `scripts/deps.sh format` clang-format.
# The fuzz targets, which `make test` runs briefly and `make fuzz` at length, need clang and
# libFuzzer's runtime, which Debian packs apart from it.
set -euo pipefail

need=()
have_cmd() { command -v "$1" >/dev/null 2>&1; }
want() { have_cmd "$1" || need+=("$2"); }

want cmake cmake
want make make
want g++ g++
want i686-w64-mingw32-g++-posix g++-mingw-w64-i686-posix
want i686-w64-mingw32-gcc-posix gcc-mingw-w64-i686-posix
want i686-w64-mingw32-windres binutils-mingw-w64-i686
want wine wine
# A WoW64 Wine: its 64-bit half runs Wine's own services, its i386 half our 32-bit programs.
[ -x /usr/lib/wine/wine64 ] || need+=(wine64)
[ -x /usr/lib/wine/wine ] || need+=(wine32:i386)
want Xvfb xvfb
want xauth xauth
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
want clang++ clang
if ! have_cmd clang++ || [ ! -f "$(clang++ -print-file-name=libclang_rt.fuzzer-x86_64.a)" ]; then
  need+=(libclang-rt-dev)
fi
case "${1:-}" in
  run) want import imagemagick ;;
  dist) want zip zip; want unzip unzip ;;
  format) want clang-format clang-format ;;
esac

if [ ${#need[@]} -eq 0 ]; then
  exit 0
fi
echo "Installing: ${need[*]}"
if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages and not root: install them with apt-get as root." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
if [[ " ${need[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${need[@]}"
