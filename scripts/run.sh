#!/usr/bin/env bash
# Installs what is missing, builds, and starts the console on the user's display (or on a
# virtual one when there is none).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
echo "Nothing to start yet: the console is not built." >&2
exit 1
