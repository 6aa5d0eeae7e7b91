#!/usr/bin/env bash
# Installs, with apt-get, whatever the build, the tests and `make run` need and this machine lacks.
set -euo pipefail

need=()
have_cmd() { command -v "$1" >/dev/null 2>&1; }
want() { have_cmd "$1" || need+=("$2"); }

want cmake cmake
want make make
want g++ g++
want x86_64-w64-mingw32-g++-posix g++-mingw-w64-x86-64-posix
want x86_64-w64-mingw32-gcc-posix gcc-mingw-w64-x86-64-posix
want x86_64-w64-mingw32-windres binutils-mingw-w64-x86-64
want wine wine
[ -x /usr/lib/wine/wine64 ] || need+=(wine64)
want Xvfb xvfb
want xauth xauth
want import imagemagick
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)

if [ ${#need[@]} -eq 0 ]; then
  exit 0
fi
echo "Installing: ${need[*]}"
if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages and not root: install them with apt-get as root." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${need[@]}"
