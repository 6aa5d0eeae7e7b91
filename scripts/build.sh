#!/usr/bin/env bash
# Configures when needed and builds the Windows program, its library and the tests; with target
# names, builds only those (`make run` needs Tonvale and p2kapi alone). The 32-bit build in
# build/ is the shipped one and is always made; where this host runs no 32-bit code
# (scripts/host.sh), the same targets are made for x86-64 in build/x64 too, to be run there.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/host.sh
source scripts/configure.sh
tonvale_host
presets=(windows)
if [ "$TONVALE_WINDOWS_BUILD" = x64 ]; then
  presets+=(windows-x64)
fi
for preset in "${presets[@]}"; do
  case $preset in
    windows) tonvale_configure windows build ;;
    windows-x64) tonvale_configure windows-x64 build/x64 ;;
  esac
  if [ $# -gt 0 ]; then
    cmake --build --preset "$preset" -j "$(nproc)" --target "$@"
  else
    cmake --build --preset "$preset" -j "$(nproc)"
  fi
done
