#!/usr/bin/env bash
# Builds the third-party libraries from Debian's source packages into a cache
# outside the clone, keyed by package version, so clean clones reuse them.
# Prints the cache folder of this set of versions on its last line.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cache=${PANTREL_CACHE:-/var/cache/pantrel}
jobs=$(nproc)

version_of() { apt-cache showsrc "$1" | awk '/^Version:/{print $2; exit}'; }
key() { echo "$1-$(version_of "$1" | tr ':~' '__')"; }

# Unpacks the source package into $cache/<key>/src once.
fetch() {
  local pkg=$1 dir=$cache/$(key "$1")
  if [ ! -f "$dir/.fetched" ]; then
    rm -rf "$dir/src"; mkdir -p "$dir/src"
    (cd "$dir/src" && apt-get source -qq "$pkg=$(version_of "$pkg")" >/dev/null 2>&1)
    touch "$dir/.fetched"
  fi
  echo "$dir"
}
srcdir() { find "$1/src" -mindepth 1 -maxdepth 1 -type d | head -n1; }

build_jpeg() {
  local dir; dir=$(fetch libjpeg-turbo)
  for triplet in x86_64-w64-mingw32 i686-w64-mingw32; do
    [ -f "$dir/$triplet/.built" ] && continue
    rm -rf "$dir/build-$triplet" "$dir/$triplet"
    cmake -S "$(srcdir "$dir")" -B "$dir/build-$triplet" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$here/cmake/toolchain-$triplet.cmake" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_INSTALL_PREFIX="$dir/$triplet" -DWITH_SIMD=OFF -DENABLE_SHARED=OFF \
      -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF >/dev/null
    cmake --build "$dir/build-$triplet" -j "$jobs" >/dev/null
    cmake --install "$dir/build-$triplet" >/dev/null
    touch "$dir/$triplet/.built"
  done
}

build_sqlite() {
  local dir; dir=$(fetch sqlite3)
  [ -f "$dir/amalgamation/.built" ] && return
  rm -rf "$dir/build" "$dir/amalgamation"; mkdir -p "$dir/build" "$dir/amalgamation"
  (cd "$dir/build" && "$(srcdir "$dir")/configure" >/dev/null && make -j "$jobs" sqlite3.c >/dev/null)
  cp "$dir/build/sqlite3.c" "$dir/build/sqlite3.h" "$dir/amalgamation/"
  touch "$dir/amalgamation/.built"
}

build_gtest() {
  local dir; dir=$(fetch googletest)
  local triplet=x86_64-w64-mingw32
  [ -f "$dir/$triplet/.built" ] && return
  rm -rf "$dir/build-$triplet" "$dir/$triplet"
  cmake -S "$(srcdir "$dir")" -B "$dir/build-$triplet" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/toolchain-$triplet.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$dir/$triplet" -Dgtest_disable_pthreads=OFF >/dev/null
  cmake --build "$dir/build-$triplet" -j "$jobs" >/dev/null
  cmake --install "$dir/build-$triplet" >/dev/null
  touch "$dir/$triplet/.built"
}

mkdir -p "$cache"
build_jpeg
build_sqlite
build_gtest
# One line for the build: where each library lives.
echo "JPEG_ROOT=$cache/$(key libjpeg-turbo) SQLITE_ROOT=$cache/$(key sqlite3)/amalgamation GTEST_ROOT=$cache/$(key googletest)"
