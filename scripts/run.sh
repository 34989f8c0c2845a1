#!/usr/bin/env bash
# Installs what is missing, builds, and starts the main job. Until the console exists this is a
# demonstration of the link service: linkhost starts verrin.dll and prints what it hears while
# the DTU simulator logs terminals in and sends data.
#   scripts/run.sh [--tcp] [--port N] [--terminals N] [--seconds S]
set -euo pipefail
cd "$(dirname "$0")/.."

protocol=--udp
port=5002
terminals=5
seconds=15
while [ $# -gt 0 ]; do
  case "$1" in
    --tcp) protocol=--tcp; shift ;;
    --udp) protocol=--udp; shift ;;
    --port) port="$2"; shift 2 ;;
    --terminals) terminals="$2"; shift 2 ;;
    --seconds) seconds="$2"; shift 2 ;;
    *) echo "usage: scripts/run.sh [--udp|--tcp] [--port N] [--terminals N] [--seconds S]" >&2; exit 2 ;;
  esac
done

scripts/install-deps.sh
scripts/build.sh

run() { scripts/wine-run.sh --state build/wine "$@"; }
run --start
trap 'run --stop' EXIT

run build/bin/linkhost.exe "$protocol" --port "$port" --seconds "$((seconds + 4))" --reply &
host=$!
sleep 2
run build/bin/dtusim.exe "$protocol" --port "$port" --terminals "$terminals" --rate 2 --heartbeat 5 \
  --duration "$seconds" --quiet
wait "$host"
