#!/usr/bin/env bash
# Installs what is missing, builds, and starts Pantrel in a 1024x768 Wine virtual desktop.
#   ./run.sh                              on the user's display (a private Xvfb without one)
#   ./run.sh --screenshot FILE [SECONDS]  start, wait (default 10 s), write a PNG of the
#                                         desktop to FILE, end the program
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
shot=""; wait_s=10
if [ "${1:-}" = "--screenshot" ]; then
  shot=${2:?usage: ./run.sh --screenshot FILE [SECONDS]}
  wait_s=${3:-10}
  case "$shot" in /*) ;; *) shot=$PWD/$shot ;; esac
fi

"$root/scripts/setup.sh"
"$root/scripts/build.sh" run >/dev/null
source "$root/scripts/wine-env"
source "$root/scripts/display.sh"
"$root/scripts/wine-prefix"

program_dir=$PANTREL_BUILD/win64/app
[ -f "$program_dir/Pantrel.exe" ] || { echo "run.sh: $program_dir/Pantrel.exe was not built" >&2; exit 1; }
if [ -z "${DISPLAY:-}" ] || [ -n "$shot" ]; then
  start_display
  trap stop_display EXIT
fi

# The program finds its catalogue by bare file name: start it in its own folder.
cd "$program_dir"
wine_on_one_cpu
if [ -z "$shot" ]; then
  "$WINE64" explorer /desktop=Pantrel,1024x768 Pantrel.exe
  exit 0
fi
"$WINE64" explorer /desktop=Pantrel,1024x768 Pantrel.exe </dev/null >/dev/null 2>&1 &
program=$!
sleep "$wait_s"
desktop=$(xwininfo -root -tree | awk '/"Pantrel - Wine desktop"/{print $1; exit}')
import -window "${desktop:-root}" "$shot"
/usr/lib/wine/wineserver -k 2>/dev/null || true
wait "$program" 2>/dev/null || true
echo "run.sh: wrote $shot"
