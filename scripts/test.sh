#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the pure logic natively under
# the address and undefined-behaviour sanitizers and its fuzz targets for a bounded time, then
# every Windows test program under Wine, once for each bitness this machine can run: 32-bit
# (build/) and 64-bit (build64/) where 32-bit Linux programs run, 64-bit alone where they do not.
#   scripts/test.sh [--bits 32|64]     (or TEST_BITS=32|64): the Windows tests of one bitness only
set -uo pipefail
cd "$(dirname "$0")/.."

only="${TEST_BITS:-}"
if [ "${1:-}" = "--bits" ]; then only="${2:-}"; fi
case "$only" in ""|32|64) ;; *) echo "usage: scripts/test.sh [--bits 32|64]" >&2; exit 2 ;; esac

scripts/install-deps.sh || exit 1
scripts/build.sh --native || exit 1

echo "== native tests (sanitizers) =="
(cd build-native && ctest --output-on-failure -j"$(nproc)")
native=$?

echo "== fuzz targets (libFuzzer, bounded in time) =="
(cd build-fuzz && ctest --output-on-failure -j"$(nproc)")
fuzz=$?

windows=0
ran=""
left_out=""
for bits in 32 64; do
  dir=build; [ "$bits" = 64 ] && dir=build64
  if [ -n "$only" ] && [ "$only" != "$bits" ]; then
    echo "== Windows tests, $bits-bit ($dir/): left out, --bits $only was asked for =="
    left_out="$left_out; $bits-bit left out: --bits $only was asked for"
    continue
  fi
  if ! why="$(scripts/wine-run.sh --can-run "$bits")"; then
    echo "== Windows tests, $bits-bit ($dir/): left out, $why =="
    left_out="$left_out; $bits-bit left out: $why"
    continue
  fi
  echo "== Windows tests, $bits-bit ($dir/, Wine) =="
  (cd "$dir" && ctest --output-on-failure -j"$(nproc)") || windows=1
  ran="$ran $bits-bit"
done
if [ -z "$ran" ]; then
  echo "== no Windows tests ran: this machine runs neither Wine =="
  windows=1
fi

echo "== summary: native $([ $native -eq 0 ] && echo passed || echo FAILED)," \
     "fuzz $([ $fuzz -eq 0 ] && echo passed || echo FAILED)," \
     "Windows (${ran# }) $([ $windows -eq 0 ] && echo passed || echo FAILED)$left_out =="
[ $native -eq 0 ] && [ $fuzz -eq 0 ] && [ $windows -eq 0 ]
