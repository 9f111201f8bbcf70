#!/usr/bin/env bash
# Walks through the desktop program on a virtual screen of the given size and
# saves a screenshot at each stop (start, menu text, chart, a finished run, an
# input box, the file dialogue, the Results window's tabs, the Study window):
#   scripts/screenshot-tour.sh OUT_FOLDER [WIDTHxHEIGHT]
set -euo pipefail
out=${1:-screenshots}
size=${2:-1366x768}
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build"
cmake --build "$build" --target screenshot_tour >/dev/null
mkdir -p "$out"
xvfb-run -a -s "-screen 0 ${size}x24" "$build/src/app/screenshot_tour" "$out" "$here/examples"
