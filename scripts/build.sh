#!/usr/bin/env bash
# Configures when needed and builds the Windows program, its library and the tests; with target
# names, builds only those (`make run` needs Tonvale and p2kapi alone).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/configure.sh
tonvale_configure windows build
if [ $# -gt 0 ]; then
  cmake --build --preset windows -j "$(nproc)" --target "$@"
else
  cmake --build --preset windows -j "$(nproc)"
fi
