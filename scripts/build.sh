#!/usr/bin/env bash
# Builds the Windows programs twice: the shipped 32-bit programs (build/) and the same sources as
# 64-bit programs (build64/), which the tests run where 32-bit Wine cannot. With --native it also
# builds the pure logic natively: under the sanitizers with gcc (build-native/) and its fuzz
# targets with clang's libFuzzer (build-fuzz/).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="$(nproc)"

cmake -S . -B build -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build build -j"$jobs"
cmake -S . -B build64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null
cmake --build build64 -j"$jobs"

if [ "${1:-}" = "--native" ]; then
  cmake -S . -B build-native >/dev/null
  cmake --build build-native -j"$jobs"
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -DFUZZING=ON >/dev/null
  cmake --build build-fuzz -j"$jobs"
fi
