#!/usr/bin/env bash
# Installs what building, running and testing Velquin needs on Debian 12.
# Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(
  cmake ninja-build
  g++-mingw-w64-i686-posix
  googletest
  wine wine32:i386
  xvfb xauth x11-utils imagemagick
  fonts-wqy-microhei fonts-wine
  rhash openssl
  locales
)

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  need_update=1
fi
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The window tests run under a Chinese and an English locale: Wine takes its
# ANSI code page from LANG.
for loc in zh_CN.UTF-8 en_US.UTF-8; do
  if ! locale -a 2>/dev/null | grep -qix "${loc/UTF-8/utf8}"; then
    sed -i "s/^# *\(${loc} UTF-8\)/\1/" /etc/locale.gen
    grep -q "^${loc} UTF-8" /etc/locale.gen || echo "${loc} UTF-8" >> /etc/locale.gen
    need_locale_gen=1
  fi
done
[ -n "${need_locale_gen:-}" ] && locale-gen >/dev/null
true
