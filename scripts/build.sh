#!/usr/bin/env bash
# Configures and builds Pantrel: scripts/build.sh [run|all]
#   run  the native host tools and the 64-bit Windows build (what run.sh needs)
#   all  also the 32-bit Windows build and the libFuzzer build (what test.sh needs)
# PANTREL_BUILD names the build root (default: build/ in the clone).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${PANTREL_BUILD:-$root/build}
what=${1:-all}
jobs=${PANTREL_JOBS:-$(nproc)}

eval "$("$root/scripts/thirdparty.sh" | tail -n1)"
roots=(-DPANTREL_JPEG_ROOT="$JPEG_ROOT" -DPANTREL_SQLITE_ROOT="$SQLITE_ROOT" -DPANTREL_GTEST_ROOT="$GTEST_ROOT")

configure() {  # dir, cmake args...
  local dir=$1; shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$root" -B "$dir" -G Ninja -Wno-dev "$@" >/dev/null
  fi
}
step() { echo "== $*"; }

step "native build (host tools, platform-neutral tests under ASan/UBSan)"
configure "$build/native" -DPANTREL_SANITIZE=ON "${roots[@]}"
cmake --build "$build/native" -j "$jobs"

step "Windows x86_64 build"
configure "$build/win64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-w64-mingw32.cmake" \
  -DPANTREL_HOST_BIN="$build/native/bin" "${roots[@]}"
cmake --build "$build/win64" -j "$jobs"

[ "$what" = run ] && exit 0

step "Windows i686 build (compiled and linked, not run here)"
configure "$build/win32" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-w64-mingw32.cmake" \
  -DPANTREL_TESTS=OFF -DPANTREL_HOST_BIN="$build/native/bin" "${roots[@]}"
cmake --build "$build/win32" -j "$jobs"

step "libFuzzer build"
configure "$build/fuzz" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DPANTREL_FUZZ=ON \
  -DPANTREL_TESTS=OFF "${roots[@]}"
cmake --build "$build/fuzz" -j "$jobs" --target pantrel_fuzzers
