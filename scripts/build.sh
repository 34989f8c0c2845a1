#!/usr/bin/env bash
# Builds the Windows programs (build/) and, with --native, the pure logic natively (build-native/).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="$(nproc)"

cmake -S . -B build -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build build -j"$jobs"

if [ "${1:-}" = "--native" ]; then
  cmake -S . -B build-native >/dev/null
  cmake --build build-native -j"$jobs"
fi
