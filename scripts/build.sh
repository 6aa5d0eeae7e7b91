#!/usr/bin/env bash
# Configures (once) and builds the Windows program, its library and the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/CMakeCache.txt ] || cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)"
