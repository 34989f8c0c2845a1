#!/usr/bin/env bash
# The install script against stand-ins for Debian's package tools, with no network: a mirror
# whose 32-bit side is out of step, one that lacks a required package, and passing faults.
#   install-deps-test.sh <path of install-deps.sh>
set -uo pipefail
script="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0

# The fake package tools read their behaviour from the environment and note every call in
# $FAKE/calls; installed packages are kept in $FAKE/installed.
make_stand_ins() {
  local bin="$1/bin"
  mkdir -p "$bin"
  cat >"$bin/dpkg-query" <<'STUB'
#!/usr/bin/env bash
pkg="${@: -1}"
grep -qxF "$pkg" "$FAKE/installed" && { printf 'install ok installed'; exit 0; }
exit 1
STUB
  cat >"$bin/dpkg" <<'STUB'
#!/usr/bin/env bash
echo "dpkg $*" >>"$FAKE/calls"
case "$1" in
  --print-foreign-architectures) cat "$FAKE/architectures" 2>/dev/null ;;
  --add-architecture) [ -z "${FAKE_NO_I386:-}" ] || { echo "dpkg: error: cannot add" >&2; exit 2; }
                      echo "$2" >>"$FAKE/architectures" ;;
esac
STUB
  cat >"$bin/apt-get" <<'STUB'
#!/usr/bin/env bash
echo "apt-get $*" >>"$FAKE/calls"
count() { local n; n=$(( $(cat "$FAKE/$1" 2>/dev/null || echo 0) + 1 )); echo "$n" >"$FAKE/$1"; echo "$n"; }
case " $* " in
  *" update "*)
    n=$(count updates)
    case "${FAKE_UPDATE:-ok}" in
      fails) echo "E: Failed to fetch .../binary-i386/Packages.xz  File has unexpected size" >&2; exit 100 ;;
      fails-once) [ "$n" -gt 1 ] || { echo "E: Temporary failure resolving" >&2; exit 100; } ;;
    esac
    exit 0 ;;
  *" install "*)
    n=$(count installs)
    pkgs=()
    for a in "$@"; do case "$a" in -*|install) ;; *) pkgs+=("$a") ;; esac; done
    for p in "${pkgs[@]}"; do
      if [ "$p" = "${FAKE_MISSING:-}" ]; then echo "E: Unable to locate package $p" >&2; exit 100; fi
      if [[ "$p" == *:i386 ]] && [ -n "${FAKE_I386_BROKEN:-}" ]; then
        echo "E: Unable to correct problems, you have held broken packages." >&2; exit 100
      fi
    done
    if [ -n "${FAKE_DOWNLOAD_CUT_ONCE:-}" ] && [ "$n" = 1 ]; then
      echo "E: Failed to fetch .../wine64.deb  Connection reset by peer" >&2; exit 100
    fi
    printf '%s\n' "${pkgs[@]}" >>"$FAKE/installed"
    exit 0 ;;
esac
exit 0
STUB
  # The Chinese locale is there, so the script leaves /etc/locale.gen alone.
  printf '#!/bin/sh\necho C.utf8; echo zh_CN.utf8\n' >"$bin/locale"
  printf '#!/bin/sh\nexec "$@"\n' >"$bin/sudo"
  chmod +x "$bin"/*
}

# run_case <name> <expected exit: 0 or fail> <env assignments...>; leaves output in $out.
run_case() {
  local name="$1" expect="$2"; shift 2
  export FAKE="$work/$name"
  mkdir -p "$FAKE"; printf '%s' "${preset:-}" >"$FAKE/installed"; : >"$FAKE/calls"
  make_stand_ins "$FAKE"
  out="$(env PATH="$FAKE/bin:$PATH" "$@" bash "$script" 2>&1)"
  rc=$?
  if { [ "$expect" = 0 ] && [ $rc -ne 0 ]; } || { [ "$expect" = fail ] && [ $rc -eq 0 ]; }; then
    fail "$name: exit code $rc"
  fi
}
fail() { echo "FAIL $*"; echo "$out" | sed 's/^/    /'; failures=$((failures + 1)); }
expect_output() { grep -qF -- "$2" <<<"$out" || fail "$1: output lacks \"$2\""; }
expect_installed() { grep -qxF "$2" "$FAKE/installed" || fail "$1: $2 not installed"; }
expect_calls() {
  local n; n=$(grep -c -- "$2" "$FAKE/calls")
  [ "$n" = "$3" ] || fail "$1: \"$2\" called $n times, not $3"
}

# The mirror of 2026-12-09: every update fails on the i386 index, wine32 cannot be resolved.
run_case out-of-step-mirror 0 FAKE_UPDATE=fails FAKE_I386_BROKEN=1
expect_output out-of-step-mirror "32-bit Wine cannot be installed here; the 32-bit tests will be left out"
expect_output out-of-step-mirror "going on with the package indexes that could be read"
for p in g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine64 xvfb clang; do expect_installed out-of-step-mirror "$p"; done
expect_calls out-of-step-mirror "install .*wine32:i386" 2
expect_calls out-of-step-mirror "install .*cmake.*wine32\|install .*wine32.*cmake" 0

# A required package that the mirror does not have fails the install, with its name.
run_case missing-package fail FAKE_MISSING=socat
expect_output missing-package "Unable to locate package socat"
grep -q 'wine32' "$FAKE/calls" && fail "missing-package: went on to 32-bit Wine after a failure"

# Passing faults are retried once: an update, then a download.
run_case passing-faults 0 FAKE_UPDATE=fails-once FAKE_DOWNLOAD_CUT_ONCE=1
expect_installed passing-faults cmake
expect_installed passing-faults wine32:i386
# Twice for the first update, once more for the index of the architecture it then adds.
expect_calls passing-faults "apt-get .*update" 3
grep -q 'cannot be installed' <<<"$out" && fail "passing-faults: reported 32-bit Wine as missing"

# A machine where the i386 architecture cannot be added.
run_case no-i386 0 FAKE_NO_I386=1
expect_output no-i386 "32-bit Wine cannot be installed here"
grep -q 'install .*wine32' "$FAKE/calls" && fail "no-i386: tried wine32 without the architecture"

# Everything already there: nothing is fetched or installed.
preset="$(printf '%s\n' cmake make g++ g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 xvfb xauth \
  fonts-wqy-zenhei fonts-wqy-microhei socat imagemagick googletest locales x11-utils clang \
  libclang-rt-14-dev wine32:i386)"
run_case all-there 0
expect_calls all-there "apt-get" 0
preset=""

[ $failures -eq 0 ] && echo "install-deps: every case passed"
[ $failures -eq 0 ]
