#!/usr/bin/env bash
# Installs what is missing, builds, and starts the console Sablink: on the user's display when
# there is one, else on a virtual one. Its terminals come from the DTU simulator (README.md).
#   scripts/run.sh
set -euo pipefail
cd "$(dirname "$0")/.."

[ $# -eq 0 ] || { echo "usage: scripts/run.sh" >&2; exit 2; }

scripts/install-deps.sh
scripts/build.sh

run() { scripts/wine-run.sh --state build/wine "$@"; }
run --display --start
trap 'run --stop' EXIT

if [ -z "${DISPLAY:-}" ]; then
  echo "run.sh: no display; the console runs on the virtual display :$(head -n1 build/wine/xvfb.display)"
  echo "        (a picture of it: import -display :$(head -n1 build/wine/xvfb.display) -window root shot.png)"
fi
echo "run.sh: Sablink asks whether to serve UDP (是) or TCP (否), then listens on port 5002."
echo "        Terminals: scripts/wine-run.sh --state build/wine build/bin/dtusim.exe --udp --port 5002"
run --display build/bin/Sablink.exe
