#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's own environment:
#   - the Wine of the program's bitness: 32-bit programs (build/) with the 32-bit loader, 64-bit
#     programs (build64/) with the 64-bit one, called directly (/usr/bin/wine always picks the
#     32-bit loader when it is installed, even where the kernel cannot run it);
#   - one Wine prefix per state folder, of that bitness, created once, pinned to Windows XP, with Wine
#     drawing the window frames itself (there is no window manager on the virtual display);
#   - the Chinese UI fonts (宋体/SimSun, 新宋体/NSimSun and the system's MS Shell Dlg of menus,
#     captions and message boxes) drawn with WenQuanYi Micro Hei: the font Wine otherwise falls
#     back to turns antialiasing off at 12 pixels and then draws some strokes blank there ('-'
#     among them), so dates read "2026 12 09". Set in every prefix, also one made before, once
#     per version of these settings (prefix/.fonts);
#   - LC_ALL=zh_CN.UTF-8, so the ANSI code page is 936 (GBK);
#   - a private 24-bit Xvfb display, started on demand and shared by every program of the run;
#   - the wine server kept alive between programs until --stop;
#   - with --serial N, N pseudo-terminal pairs made by socat and mapped as COM5/COM6, COM7/COM8, ...
#     The program learns them from SERIAL_PAIRS ("COM5:COM6,COM7:COM8").
#
# Usage: wine-run.sh [--state DIR] [--bits 32|64] [--serial N] [--display] program.exe [args...]
#        wine-run.sh [--state DIR] [--bits 32|64] --start | --stop | --env
#        wine-run.sh --can-run 32|64     (exit 0 when this machine runs that Wine; else says why)
# Without --bits the bitness is the one the state folder was made with, else the program's own
# (its PE header), else 32.
set -euo pipefail

state="${WINE_RUN_STATE:-$PWD/wine}"
serial_pairs=0
action=run
use_user_display=0
bits=""

while [ $# -gt 0 ]; do
  case "$1" in
    --state) state="$2"; shift 2 ;;
    --serial) serial_pairs="$2"; shift 2 ;;
    --display) use_user_display=1; shift ;;
    --bits) bits="$2"; shift 2 ;;
    --can-run) action=can_run; bits="$2"; shift 2 ;;
    --start) action=start; shift ;;
    --stop) action=stop; shift ;;
    --env) action=env; shift ;;
    --) shift; break ;;
    *) break ;;
  esac
done

loader_for() { if [ "$1" = 64 ]; then echo /usr/lib/wine/wine64; else echo /usr/lib/wine/wine; fi; }

# Says why this machine cannot run the Wine of a bitness, or nothing when it can.
why_not_runnable() {
  local loader
  loader="$(loader_for "$1")"
  if [ ! -x "$loader" ]; then
    echo "$loader is not installed"
  elif [ "$1" = 32 ] && ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
    echo "this kernel cannot execute 32-bit Linux programs (/lib/ld-linux.so.2 --version fails)"
  fi
}

if [ "$action" = can_run ]; then
  why="$(why_not_runnable "$bits")"
  [ -z "$why" ] && exit 0
  echo "$why"
  exit 1
fi

# The bitness of a PE file: its optional header's magic is 0x10b for 32 bits, 0x20b for 64.
pe_bits() {
  local pe magic
  pe=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ') || return 1
  magic=$(od -An -tx2 -j$((pe + 24)) -N2 "$1" 2>/dev/null | tr -d ' ') || return 1
  case "$magic" in 20b|020b) echo 64 ;; 10b|010b) echo 32 ;; *) return 1 ;; esac
}

mkdir -p "$state"
state="$(cd "$state" && pwd)"
ports_dir="$state/ports"
max_pairs=4

if [ -z "$bits" ] && [ -f "$state/bits" ]; then bits="$(cat "$state/bits")"; fi
if [ -z "$bits" ] && [ "$action" = run ] && [ $# -gt 0 ] && [ -f "$1" ]; then bits="$(pe_bits "$1" || echo 32)"; fi
bits="${bits:-32}"
case "$bits" in 32|64) ;; *) echo "wine-run: --bits takes 32 or 64" >&2; exit 2 ;; esac
if [ -f "$state/bits" ] && [ "$(cat "$state/bits")" != "$bits" ]; then
  echo "wine-run: $state holds a $(cat "$state/bits")-bit prefix; use another state folder for $bits bits" >&2
  exit 2
fi

WINE="$(loader_for "$bits")"
export WINELOADER="$WINE"
export WINEPREFIX="$state/prefix"
if [ "$bits" = 64 ]; then export WINEARCH=win64; else export WINEARCH=win32; fi
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export LC_ALL=zh_CN.UTF-8
unset LANGUAGE

lock() { exec 9>"$state/.lock"; flock 9; }
unlock() { flock -u 9; }

create_prefix() {
  [ -f "$WINEPREFIX/.ready" ] && return 0
  local why
  why="$(why_not_runnable "$bits")"
  if [ -n "$why" ]; then echo "wine-run: cannot run $bits-bit Wine here: $why" >&2; exit 1; fi
  rm -rf "$WINEPREFIX"
  echo "$bits" >"$state/bits"
  "$WINE" wineboot.exe -i >/dev/null 2>&1 || true
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
  "$WINE" regedit.exe "$reg" >/dev/null 2>&1
  wineserver -w
  # Wine also follows these links when a COM port is opened.
  for n in $(seq 5 $((4 + 2 * max_pairs))); do
    ln -sfn "$ports_dir/com$n" "$WINEPREFIX/dosdevices/com$n"
  done
  touch "$WINEPREFIX/.ready"
}

# Version of the font settings below; a prefix marked with another (or none) gets them again.
fonts_version=2

set_up_fonts() {
  [ "$(cat "$WINEPREFIX/.fonts" 2>/dev/null)" = "$fonts_version" ] && return 0
  local reg="$state/fonts.reg"
  # UTF-16 with a byte-order mark: the Chinese value names must reach the registry as they are.
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\r\n'
    printf '"SimSun"="WenQuanYi Micro Hei"\r\n"宋体"="WenQuanYi Micro Hei"\r\n'
    printf '"NSimSun"="WenQuanYi Micro Hei Mono"\r\n"新宋体"="WenQuanYi Micro Hei Mono"\r\n'
    printf '"MS Shell Dlg"="WenQuanYi Micro Hei"\r\n"MS Shell Dlg 2"="WenQuanYi Micro Hei"\r\n\r\n'
  } | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$reg"
  "$WINE" regedit.exe "$reg" >/dev/null 2>&1
  echo "$fonts_version" >"$WINEPREFIX/.fonts"
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
  set_up_fonts
  # Wine's own background processes start with the first program; let them start here, with no
  # pipe of a caller to hold open.
  if [ ! -f "$state/.warm" ]; then
    "$WINE" cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
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
    printf 'export WINEPREFIX=%q WINEARCH=%q WINELOADER=%q WINEDEBUG=%q LC_ALL=zh_CN.UTF-8 DISPLAY=%q\n' \
      "$WINEPREFIX" "$WINEARCH" "$WINE" "$WINEDEBUG" "$(current_display)"
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
"$WINE" "$@" >"$out" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true; close_serial_pairs; rm -f "$out"' EXIT
trap 'exit 143' TERM INT
tail -n +1 -s 0.1 --pid=$pid -f "$out"
wait $pid
rc=$?
set -e
exit $rc
