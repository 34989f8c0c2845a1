#!/usr/bin/env bash
# Builds the Windows programs (build/) and, with --native, the pure logic natively: under the
# sanitizers with gcc (build-native/) and its fuzz targets with clang's libFuzzer (build-fuzz/).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="$(nproc)"

cmake -S . -B build -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build build -j"$jobs"

if [ "${1:-}" = "--native" ]; then
  cmake -S . -B build-native >/dev/null
  cmake --build build-native -j"$jobs"
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -DFUZZING=ON >/dev/null
  cmake --build build-fuzz -j"$jobs"
fi
