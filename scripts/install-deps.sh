#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12, skipping what is already there.
#
# Every package is required but 32-bit Wine, which is installed last and on its own: the i386 side
# of a mirror is often out of step with the amd64 side for days, and the tests run the 64-bit build
# alone where 32-bit Wine is missing. A package index that cannot be read does not stop the install
# either: apt then works with the indexes it has, and only a package it really cannot get fails.
set -uo pipefail

required=(cmake make g++ g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 xvfb xauth
          fonts-wqy-zenhei fonts-wqy-microhei socat imagemagick googletest locales x11-utils
          clang libclang-rt-14-dev)
wine32=wine32:i386

say() { echo "install-deps: $*"; }

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

# Once per run at most: a failed update is retried once, then reported and passed over.
updated=""
update_indexes() {
  [ -z "$updated" ] || return 0
  updated=1
  $SUDO apt-get update -qq && return 0
  say "apt-get update failed, trying once more"
  $SUDO apt-get update -qq && return 0
  say "apt-get update failed again; going on with the package indexes that could be read"
}

# apt's own message stays on the terminal; a failed install (a download cut short, say) is
# tried once more before it counts.
apt_install() {
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "$@" && return 0
  say "apt-get install failed, trying once more"
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "$@"
}

install_required() {
  local need=() p
  for p in "${required[@]}"; do have_pkg "$p" || need+=("$p"); done
  [ ${#need[@]} -gt 0 ] || return 0
  update_indexes
  if ! apt_install "${need[@]}"; then
    say "cannot install: ${need[*]}"
    exit 1
  fi
}

# Optional: whatever goes wrong here, the 64-bit tests still run.
install_wine32() {
  have_pkg "$wine32" && return 0
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    if ! $SUDO dpkg --add-architecture i386; then
      say "32-bit Wine cannot be installed here; the 32-bit tests will be left out"
      return 0
    fi
    updated=""
  fi
  update_indexes
  if ! apt_install "$wine32"; then
    say "32-bit Wine cannot be installed here; the 32-bit tests will be left out"
  fi
}

# Wine maps Chinese file names only when the Linux locale exists.
make_chinese_locale() {
  locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$' && return 0
  $SUDO sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen || exit 1
  if ! grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen; then
    echo 'zh_CN.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null || exit 1
  fi
  $SUDO locale-gen >/dev/null || exit 1
}

install_required
make_chinese_locale
install_wine32
exit 0
