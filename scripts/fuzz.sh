#!/usr/bin/env bash
# Fuzzes the settings reader with libFuzzer for a while (5 minutes, or the seconds given), from
# the seed corpus in tests/fuzz/corpus. Inputs that reach new code are kept in
# build/fuzz/tests/fuzz/found; a crash or a sanitizer report leaves its input there as crash-*
# (replay it with `build/fuzz/bin/settings_fuzzer <file>`) and fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/configure.sh
seconds=${1:-300}
tonvale_configure fuzz build/fuzz
cmake --build --preset fuzz -j "$(nproc)" --target settings_fuzzer
found=build/fuzz/tests/fuzz/found
mkdir -p "$found"
build/fuzz/bin/settings_fuzzer -max_total_time="$seconds" -print_final_stats=1 \
  -artifact_prefix="$found/" "$found" tests/fuzz/corpus
