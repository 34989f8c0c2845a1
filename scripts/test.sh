#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the pure logic natively under
# the address and undefined-behaviour sanitizers, then every Windows test program under Wine.
set -uo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh || exit 1
scripts/build.sh --native || exit 1

echo "== native tests (sanitizers) =="
(cd build-native && ctest --output-on-failure -j"$(nproc)")
native=$?

echo "== fuzz targets (libFuzzer, bounded in time) =="
(cd build-fuzz && ctest --output-on-failure -j"$(nproc)")
fuzz=$?

echo "== Windows tests (Wine) =="
(cd build && ctest --output-on-failure -j"$(nproc)")
windows=$?

[ $native -eq 0 ] && [ $fuzz -eq 0 ] && [ $windows -eq 0 ]
