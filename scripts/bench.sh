#!/usr/bin/env bash
# Builds every benchmark with optimisation, runs them all and prints one table of figures:
#   scripts/bench.sh
# The benchmarks get Release trees of their own, $PANTREL_BUILD/bench/native and .../win64
# (PANTREL_BUILD defaults to build/ in the clone), and a Wine prefix of their own, so the
# normal build and ./test.sh are left as they are. Every target declared with
# pantrel_benchmark is run, natively when the native tree has it, else under Wine on a
# private display. A benchmark gives a table row by printing
#   BENCH|figure|ours|comparison measured in the same run|ratio|target
# where the target bounds the ratio ("<= 1.5", ">= 1.5") or our value ("under 2 ms"), or is
# "-" for a figure shown without one.
# The whole output of each is kept in $PANTREL_BUILD/bench/logs/<name>.log; one that runs
# longer than PANTREL_BENCH_TIMEOUT seconds (600) is stopped.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${PANTREL_BUILD:-$root/build}
bench=$build/bench
jobs=${PANTREL_JOBS:-$(nproc)}

eval "$("$root/scripts/thirdparty.sh" | tail -n1)"
roots=(-DCMAKE_BUILD_TYPE=Release -DPANTREL_JPEG_ROOT="$JPEG_ROOT" -DPANTREL_SQLITE_ROOT="$SQLITE_ROOT"
       -DPANTREL_GTEST_ROOT="$GTEST_ROOT")
configure() {  # dir, cmake args...
  local dir=$1; shift
  cmake -S "$root" -B "$dir" -G Ninja -Wno-dev "$@" >/dev/null
}
logs=$bench/logs
rm -rf "$logs"; mkdir -p "$logs"
# A benchmark that does not build is reported and left out; the others still run.
declare -A broken=()
build_benchmarks() {  # tree
  local name
  for name in $(cut -f1 "$1/benchmarks.txt"); do
    cmake --build "$1" -j "$jobs" --target "$name" >"$logs/build-$name.log" 2>&1 ||
      { broken[$name]=1; echo "$name does not build (see $logs/build-$name.log)"; }
  done
}

echo "== building the benchmarks (Release)"
configure "$bench/native" "${roots[@]}"
# The Windows tree takes its build-time tools from this native tree.
cmake --build "$bench/native" -j "$jobs" --target skinart skintool designpack catalogue_builder
build_benchmarks "$bench/native"
configure "$bench/win64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-w64-mingw32.cmake" \
  -DPANTREL_HOST_BIN="$bench/native/bin" "${roots[@]}"
build_benchmarks "$bench/win64"
run() {  # name, command...
  local name=$1; shift
  echo "== $name"
  timeout "${PANTREL_BENCH_TIMEOUT:-600}" "$@" </dev/null 2>&1 | tee "$logs/$name.log" ||
    echo "$name failed or ran out of time" | tee -a "$logs/$name.log"
}

declare -A done_natively=()
while IFS=$'\t' read -r name program args; do
  [ -n "${broken[$name]:-}" ] && continue
  read -r -a argv <<<"$args"
  run "$name" "$program" "${argv[@]}"
  done_natively[$name]=1
done <"$bench/native/benchmarks.txt"

export PANTREL_BUILD PANTREL_WINEPREFIX=$bench/wine-prefix
source "$root/scripts/wine-env"
source "$root/scripts/display.sh"
"$root/scripts/wine-prefix"
start_display
# As ./run.sh runs the program: the Wine server and the programs on one CPU.
wine_on_one_cpu
/usr/lib/wine/wineserver -p
"$WINE64" wineboot -u </dev/null >/dev/null 2>&1
cleanup() { /usr/lib/wine/wineserver -k 2>/dev/null; stop_display; }
trap cleanup EXIT
mkdir -p "$bench/output"
export PANTREL_TEST_OUT="Z:${bench//\//\\}\\output"
while IFS=$'\t' read -r name program args; do
  [ -n "${done_natively[$name]:-}" ] || [ -n "${broken[$name]:-}" ] && continue
  read -r -a argv <<<"$args"
  run "$name" "$root/scripts/wine-run" "$program" "${argv[@]}"
done <"$bench/win64/benchmarks.txt"

echo
echo "== figures (each comparison measured in the same run as ours)"
cat "$logs"/*.log | tr -d '\r' | grep '^BENCH|' | awk -F'|' '
  BEGIN { printf "%-72s %10s %-32s %7s %8s\n", "figure", "ours", "comparison", "ratio", "target" }
  {
    # A target bounds the ratio ("<= 1.5", ">= 1.5") or our own value ("under 2 ms").
    split($6, t, " ")
    met = (t[1] == "<=" && $5 + 0 <= t[2] + 0) || (t[1] == ">=" && $5 + 0 >= t[2] + 0) ||
          (t[1] == "under" && $3 + 0 < t[2] + 0) || $6 == "-" ? "" : "  missed"
    printf "%-72s %10s %-32s %7s %8s%s\n", $2, $3, $4, $5, $6, met
  }' || true
silent=$(ls "$logs"/*.log | grep -v '/build-[^/]*$' | xargs -r grep -L '^BENCH|' || true)
[ -z "$silent" ] || echo "Without a table row (see their logs in $logs): $(basename -a -s .log $silent | tr '\n' ' ')"
