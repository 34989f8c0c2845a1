#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's own environment:
#   - one 32-bit Wine prefix per state folder, created once, pinned to Windows XP, with Wine
#     drawing the window frames itself (there is no window manager on the virtual display);
#   - LC_ALL=zh_CN.UTF-8, so the ANSI code page is 936 (GBK);
#   - a private 24-bit Xvfb display, started on demand and shared by every program of the run;
#   - the wine server kept alive between programs until --stop;
#   - with --serial N, N pseudo-terminal pairs made by socat and mapped as COM5/COM6, COM7/COM8, ...
#     The program learns them from SERIAL_PAIRS ("COM5:COM6,COM7:COM8").
#
# Usage: wine-run.sh [--state DIR] [--serial N] [--display] program.exe [args...]
#        wine-run.sh [--state DIR] --start | --stop | --env
set -euo pipefail

state="${WINE_RUN_STATE:-$PWD/wine}"
serial_pairs=0
action=run
use_user_display=0

while [ $# -gt 0 ]; do
  case "$1" in
    --state) state="$2"; shift 2 ;;
    --serial) serial_pairs="$2"; shift 2 ;;
    --display) use_user_display=1; shift ;;
    --start) action=start; shift ;;
    --stop) action=stop; shift ;;
    --env) action=env; shift ;;
    --) shift; break ;;
    *) break ;;
  esac
done

mkdir -p "$state"
state="$(cd "$state" && pwd)"
ports_dir="$state/ports"
max_pairs=4

export WINEPREFIX="$state/prefix"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export LC_ALL=zh_CN.UTF-8
unset LANGUAGE

lock() { exec 9>"$state/.lock"; flock 9; }
unlock() { flock -u 9; }

create_prefix() {
  [ -f "$WINEPREFIX/.ready" ] && return 0
  rm -rf "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  local reg="$state/setup.reg"
  {
    printf 'REGEDIT4\n\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine]\n"Version"="winxp"\n\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\n"Managed"="N"\n"Decorated"="N"\n\n'
    printf '[HKEY_LOCAL_MACHINE\\Software\\Wine\\Ports]\n'
    for n in $(seq 5 $((4 + 2 * max_pairs))); do
      printf '"COM%d"="%s"\n' "$n" "$ports_dir/com$n"
    done
    printf '\n'
  } >"$reg"
  wine regedit "$reg" >/dev/null 2>&1
  wineserver -w
  # Wine also follows these links when a COM port is opened.
  for n in $(seq 5 $((4 + 2 * max_pairs))); do
    ln -sfn "$ports_dir/com$n" "$WINEPREFIX/dosdevices/com$n"
  done
  touch "$WINEPREFIX/.ready"
}

display_alive() {
  [ -f "$state/xvfb.pid" ] && kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null
}

start_display() {
  display_alive && return 0
  local fdfile="$state/xvfb.display"
  rm -f "$fdfile"
  # -displayfd lets Xvfb pick a free display number and tell us which.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -ac 3>"$fdfile" >/dev/null 2>&1 &
  echo $! >"$state/xvfb.pid"
  for _ in $(seq 100); do
    [ -s "$fdfile" ] && break
    sleep 0.05
  done
  [ -s "$fdfile" ] || { echo "wine-run: Xvfb did not start" >&2; exit 1; }
}

current_display() {
  if [ "$use_user_display" = 1 ] && [ -n "${DISPLAY:-}" ]; then
    echo "$DISPLAY"
  else
    echo ":$(head -n1 "$state/xvfb.display")"
  fi
}

start_server() {
  wineserver -p >/dev/null 2>&1 || true
  # Wine's own background processes start with the first program; let them start here, with no
  # pipe of a caller to hold open.
  if [ ! -f "$state/.warm" ]; then
    wine cmd /c exit </dev/null >/dev/null 2>&1 || true
    touch "$state/.warm"
  fi
}

start_all() {
  lock
  create_prefix
  if [ "$use_user_display" = 0 ] || [ -z "${DISPLAY:-}" ]; then start_display; use_user_display=0; fi
  export DISPLAY="$(current_display)"
  start_server
  unlock
}

stop_all() {
  lock
  wineserver -k >/dev/null 2>&1 || true
  if display_alive; then kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true; fi
  rm -f "$state/xvfb.pid" "$state/xvfb.display" "$state/.warm"
  pkill -f "socat.*$ports_dir" 2>/dev/null || true
  unlock
}

socat_pids=()
open_serial_pairs() {
  local n=$1 pairs="" a b
  mkdir -p "$ports_dir"
  for i in $(seq 0 $((n - 1))); do
    a=$((5 + 2 * i)); b=$((a + 1))
    rm -f "$ports_dir/com$a" "$ports_dir/com$b"
    socat "pty,raw,echo=0,link=$ports_dir/com$a" "pty,raw,echo=0,link=$ports_dir/com$b" 2>/dev/null &
    socat_pids+=($!)
    pairs="${pairs:+$pairs,}COM$a:COM$b"
  done
  for i in $(seq 0 $((n - 1))); do
    a=$((5 + 2 * i)); b=$((a + 1))
    for _ in $(seq 100); do
      [ -e "$ports_dir/com$a" ] && [ -e "$ports_dir/com$b" ] && break
      sleep 0.05
    done
  done
  export SERIAL_PAIRS="$pairs"
}

close_serial_pairs() {
  for pid in "${socat_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${socat_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
}

case "$action" in
  start) start_all; exit 0 ;;
  stop) stop_all; exit 0 ;;
  env)
    start_all
    printf 'export WINEPREFIX=%q WINEARCH=win32 WINEDEBUG=%q LC_ALL=zh_CN.UTF-8 DISPLAY=%q\n' \
      "$WINEPREFIX" "$WINEDEBUG" "$(current_display)"
    exit 0 ;;
esac

[ $# -gt 0 ] || { echo "usage: wine-run.sh [--state DIR] [--serial N] program [args]" >&2; exit 2; }
if [ "$serial_pairs" -gt "$max_pairs" ]; then echo "wine-run: at most $max_pairs serial pairs" >&2; exit 2; fi

start_all
if [ "$serial_pairs" -gt 0 ]; then
  open_serial_pairs "$serial_pairs"
fi

# Wine may start helper processes (the desktop window, say) that outlive the program and keep
# its standard output open; a caller reading that pipe (ctest) would then wait for ever. So the
# program writes to a file, which is streamed to our own output while it runs.
out="$(mktemp "$state/out.XXXXXX")"
set +e
wine "$@" >"$out" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true; close_serial_pairs; rm -f "$out"' EXIT
trap 'exit 143' TERM INT
tail -n +1 -s 0.1 --pid=$pid -f "$out"
wait $pid
rc=$?
set -e
exit $rc
