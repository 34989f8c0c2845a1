#!/usr/bin/env bash
# The link service's and the console's benchmarks against two builds side by side in one run: a
# baseline commit, built in a worktree of its own, and this tree. For each protocol and rate the
# two run one right after the other (taking turns at going first), so that a change in the
# machine's load falls on both alike; every figure is printed with the load it was measured
# under, and a table at the end puts them beside each other. The benchmark programs are this
# tree's; only the link library (verrin.dll) and the console (Sablink.exe) are the baseline's.
#
# Usage: scripts/bench-compare.sh [--base COMMIT] [--base-tree DIR] [--rates R1,R2,...]
#                                 [--seconds S] [--terminals N] [--only link|console] [--reply]
#                                 [--no-build]
#   --base       the baseline commit (default 6f1a00b)
#   --base-tree  its worktree, made with "git worktree add --detach" when missing
#                (default: this tree's folder with "base" after its name)
#   --only       run one of the two benchmarks
#   --reply      the hosts acknowledge every event (the console with 应答 ticked)
#   --no-build   take both builds as they are
# The 64-bit builds are used (build64/), with this tree's Wine environment.
set -euo pipefail

repo="$(cd "$(dirname "$0")/.." && pwd)"
base_commit=6f1a00b
base_tree="${repo}base"
rates=2000,5000,8000,10000,12000
seconds=10
terminals=2048
only=""
reply=""
build=1
while [ $# -gt 0 ]; do
  case "$1" in
    --base) base_commit="$2"; shift 2 ;;
    --base-tree) base_tree="$2"; shift 2 ;;
    --rates) rates="$2"; shift 2 ;;
    --seconds) seconds="$2"; shift 2 ;;
    --terminals) terminals="$2"; shift 2 ;;
    --only) only="$2"; shift 2 ;;
    --reply) reply="--reply"; shift ;;
    --no-build) build=0; shift ;;
    *) echo "unknown argument $1" >&2; exit 2 ;;
  esac
done

jobs=3
wine_run=("$repo/scripts/wine-run.sh" --state "$repo/build64/wine" --bits 64)

prepare_base_tree() {
  if [ ! -d "$base_tree" ]; then
    git -C "$repo" worktree add --detach "$base_tree" "$base_commit" >/dev/null
  elif [ "$(git -C "$base_tree" rev-parse HEAD)" != "$(git -C "$repo" rev-parse "$base_commit")" ]; then
    git -C "$base_tree" checkout -q --detach "$base_commit"
  fi
}

build_tree() {  # folder, targets...
  local tree="$1"; shift
  [ -f "$tree/build64/CMakeCache.txt" ] ||
    cmake -S "$tree" -B "$tree/build64" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null
  cmake --build "$tree/build64" --target "$@" -j"$jobs" >/dev/null
}

if [ "$build" = 1 ]; then
  echo "building the baseline ($base_commit in $base_tree) and this tree ..."
  prepare_base_tree
  build_tree "$base_tree" verrin Sablink
  build_tree "$repo" verrin Sablink linkbench consolebench
  [ -f "$repo/build-native/CMakeCache.txt" ] || cmake -S "$repo" -B "$repo/build-native" >/dev/null
  cmake --build "$repo/build-native" --target dtusim -j"$jobs" >/dev/null
fi

# Each side in a folder of its own: the benchmark programs beside that side's library.
stage="$(mktemp -d /tmp/bench-compare.XXXXXX)"
trap 'rm -rf "$stage"' EXIT
for side in base this; do
  mkdir -p "$stage/$side"
  tree="$repo"; [ "$side" = base ] && tree="$base_tree"
  cp "$tree/build64/bin/verrin.dll" "$tree/build64/bin/Sablink.exe" "$stage/$side/"
  cp "$repo/build64/bin/linkbench.exe" "$repo/build64/bin/consolebench.exe" "$stage/$side/"
done
winpath() { echo "Z:$1" | tr / '\\'; }
fleet="$(winpath "$repo/build-native/bin/dtusim")"
results="$stage/results"
: >"$results"

# One run of a benchmark for one side; its figures go to the screen and, one line per flood, to
# the results: side bench protocol rate sent received lost p99 machine-busy server-share [extra].
run_side() {  # side bench protocol rate
  local side="$1" bench="$2" protocol="$3" rate="$4" out="$stage/out"
  if [ "$bench" = link ]; then
    local udp=0 tcp=0
    if [ "$protocol" = udp ]; then udp=$terminals; else tcp=$terminals; fi
    "${wine_run[@]}" "$stage/$side/linkbench.exe" --udp-terminals "$udp" --tcp-terminals "$tcp" --rates "$rate" \
      --seconds "$seconds" --refine 0 --fleet "$fleet" $reply >"$out" 2>&1 || true
  else
    "${wine_run[@]}" "$stage/$side/consolebench.exe" --console "$(winpath "$stage/$side")" --protocols "$protocol" \
      --terminals "$terminals" --rates "$rate" --seconds "$seconds" --refine 0 --fleet "$fleet" $reply >"$out" 2>&1 || true
  fi
  sed "s/^/  [$side] /" "$out"
  awk -v side="$side" -v bench="$bench" -v protocol="$protocol" -v rate="$rate" '
    / sent [0-9]+, (received|logged) [0-9]+/ {
      match($0, /sent [0-9]+/); sent = substr($0, RSTART + 5, RLENGTH - 5)
      match($0, /(received|logged) [0-9]+/); got = substr($0, RSTART, RLENGTH); sub(/[a-z]+ /, "", got)
      match($0, /lost [0-9]+/); lost = substr($0, RSTART + 5, RLENGTH - 5)
      match($0, /p99 [0-9.]+/); p99 = substr($0, RSTART + 4, RLENGTH - 4)
      caught = "-"; clicks = "-"
    }
    /caught up [0-9.]+ s/ { match($0, /caught up [0-9.]+/); caught = substr($0, RSTART + 10, RLENGTH - 10) "s" }
    /caught up: logs/ { caught = "never" }
    /clicks answered:/ { match($0, /max [0-9]+/); clicks = substr($0, RSTART + 4, RLENGTH - 4) "ms" }
    /CPUs busy/ {
      match($0, /CPUs busy [0-9]+%/); busy = substr($0, RSTART + 10, RLENGTH - 10)
      match($0, /wine server [0-9]+%/); server = substr($0, RSTART + 12, RLENGTH - 12)
      if (sent != "") { print side, bench, protocol, rate, sent, got, lost, p99, busy, server, caught, clicks; sent = "" }
    }' "$out" >>"$results"
}

echo "machine: $(nproc) processors, load $(cut -d' ' -f1-3 /proc/loadavg) at the start"
turn=0
for bench in link console; do
  [ -n "$only" ] && [ "$only" != "$bench" ] && continue
  for protocol in udp tcp; do
    for rate in ${rates//,/ }; do
      echo "== $bench $protocol $rate/s, $terminals terminals, $seconds s (load $(cut -d' ' -f1 /proc/loadavg))"
      if [ $((turn % 2)) = 0 ]; then order="base this"; else order="this base"; fi
      turn=$((turn + 1))
      for side in $order; do run_side "$side" "$bench" "$protocol" "$rate"; done
    done
  done
done

echo
echo "== side by side (lost: sent - received or logged; p99 latency ms; busy: all CPUs; server: wine server, % of a core)"
for bench in link console; do
  [ -n "$only" ] && [ "$only" != "$bench" ] && continue
  if [ "$bench" = link ]; then
    printf '%-8s %-4s %7s | %-40s | %-40s\n' link proto rate "base: lost p99 busy server" "this: lost p99 busy server"
  else
    printf '%-8s %-4s %7s | %-40s | %-40s\n' console proto rate "base: lost p99 caught-up click busy server" \
      "this: lost p99 caught-up click busy server"
  fi
  for protocol in udp tcp; do
    for rate in ${rates//,/ }; do
      line() {
        awk -v side="$1" -v bench="$bench" -v protocol="$protocol" -v rate="$rate" '
          $1 == side && $2 == bench && $3 == protocol && $4 == rate {
            if (bench == "link") printf "%s %s %s %s", $7, $8, $9, $10
            else printf "%s %s %s %s %s %s", $7, $8, $11, $12, $9, $10
            found = 1
          }
          END { if (!found) printf "(no figures)" }' "$results"
      }
      printf '%-8s %-4s %7s | %-40s | %-40s\n' "$bench" "$protocol" "$rate" "$(line base)" "$(line this)"
    done
  done
  for side in base this; do
    for protocol in udp tcp; do
      knee=$(awk -v side="$side" -v bench="$bench" -v protocol="$protocol" '
        $1 == side && $2 == bench && $3 == protocol && $7 == 0 && $4 > best { best = $4 }
        END { print best + 0 }' "$results")
      echo "$bench $protocol knee ($side): ${knee}/s, the highest rate tried with nothing lost"
    done
  done
done
echo "machine: load $(cut -d' ' -f1-3 /proc/loadavg) at the end"
