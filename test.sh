#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite.
# Exits non-zero on any failure. PANTREL_BUILD names another build root.
set -uo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
"$root/scripts/setup.sh" || exit 1
"$root/scripts/build.sh" all || { echo "build failed"; exit 1; }

source "$root/scripts/wine-env"
source "$root/scripts/display.sh"
"$root/scripts/wine-prefix" || exit 1
start_display
# One wineserver for the whole run; it ends with the run.
/usr/lib/wine/wineserver -p
# Start Wine's own background programs now, detached from ctest's output pipes, which
# would otherwise stay open until they exit and hold every test for its whole timeout.
"$WINE64" wineboot -u </dev/null >/dev/null 2>&1
cleanup() { /usr/lib/wine/wineserver -k 2>/dev/null; stop_display; }
trap cleanup EXIT

passed=0; failed=0; status=0
run_ctest() {  # title, dir, ctest args...
  local title=$1 dir=$2; shift 2
  echo "== $title"
  local log; log=$(mktemp)
  ctest --test-dir "$dir" --output-on-failure --no-tests=ignore "$@" 2>&1 | tee "$log"
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
  local line; line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n1)
  if [ -n "$line" ]; then
    local total fail
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
    fail=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
    passed=$((passed + total - fail)); failed=$((failed + fail))
  fi
  rm -f "$log"
}
run_ctest "native tests (ASan/UBSan)" "$PANTREL_BUILD/native" -j2
run_ctest "fuzz corpus replay" "$PANTREL_BUILD/fuzz" -j2
run_ctest "Windows tests under Wine" "$PANTREL_BUILD/win64" -LE gui -j2
run_ctest "Windows GUI tests under Wine on $DISPLAY" "$PANTREL_BUILD/win64" -L gui
echo "Captures: $PANTREL_BUILD/win64/test-output"
echo "total: $passed passed, $failed failed"
[ $failed -eq 0 ] && [ $status -eq 0 ]
