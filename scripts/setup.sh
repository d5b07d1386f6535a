#!/usr/bin/env bash
# Installs everything a Debian 12 machine needs to build, run and test Pantrel.
# Idempotent: a machine that already has it all is left alone within a second.
set -euo pipefail

PACKAGES=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix
  binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 mingw-w64-tools
  wine64 cmake ninja-build xvfb xauth x11-utils fonts-wqy-zenhei fonts-wqy-microhei locales
  tcl dpkg-dev clang g++ libjpeg62-turbo-dev zlib1g-dev sqlite3 imagemagick
)

need_root() {
  if [ "$(id -u)" -ne 0 ]; then echo "setup: run as root to install: $*" >&2; exit 1; fi
}

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

# Source packages need deb-src entries; derive them from the machine's own sources.
src_list=/etc/apt/sources.list.d/pantrel-deb-src.sources
src_added=0
if ! grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  need_root "deb-src entries"
  tmp=$(mktemp)
  {
    for f in /etc/apt/sources.list.d/*.sources; do
      [ -e "$f" ] || continue
      sed -n '/^Types:.*\bdeb\( \|$\)/,/^$/p' "$f" | sed 's/^Types:.*/Types: deb-src/'
      echo
    done
    [ -f /etc/apt/sources.list ] && grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' | \
      awk '{print "Types: deb-src\nURIs: "$2"\nSuites: "$3"\nComponents: "substr($0, index($0,$4))"\n"}' || true
  } > "$tmp"
  install -m 644 "$tmp" "$src_list"
  rm -f "$tmp"
  src_added=1
fi

if [ ${#missing[@]} -gt 0 ] || [ $src_added -eq 1 ]; then
  need_root "${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  [ ${#missing[@]} -gt 0 ] && apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Code page 936 under Wine comes from the zh_CN.UTF-8 locale.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  need_root "zh_CN.UTF-8 locale"
  sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
exit 0
