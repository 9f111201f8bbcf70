#!/usr/bin/env bash
# Starts the desktop program under a virtual screen, waits, and saves a
# screenshot of the whole screen: scripts/screenshot.sh OUT.png [SECONDS] [program options]
set -euo pipefail
out=${1:-screenshot.png}
wait_seconds=${2:-3}
shift $(( $# > 2 ? 2 : $# )) || true
here=$(cd "$(dirname "$0")/.." && pwd)
program="$here/build/src/app/cpt-desktop"
[ -x "$program" ] || { echo "Build the program first (scripts/run.sh builds it)." >&2; exit 1; }
xvfb-run -a -s "-screen 0 1600x1000x24" bash -c "
  '$program' $* &
  pid=\$!
  sleep $wait_seconds
  import -window root '$out'
  kill \$pid 2>/dev/null || true
"
echo "saved $out"
