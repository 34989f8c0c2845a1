#!/usr/bin/env bash
# Installs what is missing, builds, and starts the console Sablink: on the user's display when
# there is one, else on a virtual one. Its terminals come from the DTU simulator (README.md).
#   scripts/run.sh
set -euo pipefail
cd "$(dirname "$0")/.."

[ $# -eq 0 ] || { echo "usage: scripts/run.sh" >&2; exit 2; }

scripts/install-deps.sh
scripts/build.sh

# The shipped 32-bit console where this machine runs 32-bit Wine, else the 64-bit build of it.
dir=build bits=32
if ! why="$(scripts/wine-run.sh --can-run 32)"; then
  echo "run.sh: the 64-bit console (build64/): $why"
  dir=build64 bits=64
fi

run() { scripts/wine-run.sh --state "$dir/wine" --bits "$bits" "$@"; }
run --display --start
trap 'run --stop' EXIT

if [ -z "${DISPLAY:-}" ]; then
  echo "run.sh: no display; the console runs on the virtual display :$(head -n1 "$dir/wine/xvfb.display")"
  echo "        (a picture of it: import -display :$(head -n1 "$dir/wine/xvfb.display") -window root shot.png)"
fi
echo "run.sh: Sablink asks whether to serve UDP (是) or TCP (否), then listens on port 5002."
echo "        Terminals: scripts/wine-run.sh --state $dir/wine $dir/bin/dtusim.exe --udp --port 5002"
run --display "$dir/bin/Sablink.exe"
